#include "core/jsondoc.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

#include "core/errors.h"
#include "core/numtext.h"
#include "core/utf8.h"
#include "core/wholefile.h"

namespace {

const TJsonDoc* Member(const TJsonDoc& doc, const std::string& name)
{
    if (!doc.is_object())
        return nullptr;
    auto it = doc.find(name);
    if (it == doc.end() || it->is_null())
        return nullptr;
    return &*it;
}

std::optional<int> ToInt(double v)
{
    const double r = std::nearbyint(v); // halves to even
    if (!(r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(r);
}

// The file's characters as UTF-8: UTF-16LE after FF FE, otherwise one character a byte.
std::string DecodeFileText(const std::string& bytes)
{
    std::string text;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        const auto unit = [&](size_t i) {
            return static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
        };
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            char32_t cp = unit(i);
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
                const char16_t low = unit(i + 2);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    i += 2;
                }
            }
            if (cp >= 0xD800 && cp <= 0xDFFF)
                cp = 0xFFFD; // a lone surrogate
            AppendUtf8(text, cp);
        }
    } else {
        text = Latin1ToUtf8(bytes);
    }
    return text;
}

void WriteString(std::string& out, const std::string& s)
{
    out += '"';
    // Decode UTF-8 so that every character outside printable ASCII becomes \uXXXX.
    for (size_t i = 0; i < s.size();) {
        char32_t cp = NextUtf8(s, i);
        if (cp == '"' || cp == '\\') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp >= 0x20 && cp < 0x7F) {
            out += static_cast<char>(cp);
        } else {
            const auto escape = [&](unsigned v) {
                char buf[16];
                std::snprintf(buf, sizeof buf, "\\u%04x", v);
                out += buf;
            };
            if (cp >= 0x10000) {
                cp -= 0x10000;
                escape(0xD800 + static_cast<unsigned>(cp >> 10));
                escape(0xDC00 + static_cast<unsigned>(cp & 0x3FF));
            } else {
                escape(static_cast<unsigned>(cp));
            }
        }
    }
    out += '"';
}

void WriteValue(std::string& out, const TJsonDoc& v, int level)
{
    const auto newline = [&](int indent) {
        out += "\r\n";
        out.append(static_cast<size_t>(indent), ' ');
    };
    switch (v.type()) {
    case nlohmann::json::value_t::object: {
        out += '{';
        bool first = true;
        for (auto it = v.begin(); it != v.end(); ++it) {
            if (!first)
                out += ',';
            first = false;
            newline(level + 1);
            WriteString(out, it.key());
            out += ": ";
            WriteValue(out, it.value(), level + 1);
        }
        if (!v.empty())
            newline(level);
        out += '}';
        break;
    }
    case nlohmann::json::value_t::array: {
        out += '[';
        bool first = true;
        for (const auto& item : v) {
            if (!first)
                out += ',';
            first = false;
            newline(level + 1);
            WriteValue(out, item, level + 1);
        }
        if (!v.empty())
            newline(level);
        out += ']';
        break;
    }
    case nlohmann::json::value_t::string:
        WriteString(out, v.get_ref<const std::string&>());
        break;
    case nlohmann::json::value_t::boolean:
        out += v.get<bool>() ? "true" : "false";
        break;
    case nlohmann::json::value_t::number_integer:
        out += std::to_string(v.get<long long>());
        break;
    case nlohmann::json::value_t::number_unsigned:
        out += std::to_string(v.get<unsigned long long>());
        break;
    case nlohmann::json::value_t::number_float: {
        const double d = v.get<double>();
        if (!std::isfinite(d)) {
            out += "null";
            break;
        }
        // 15 digits, unless they round beyond the largest double and would not load
        // again; the shortest exact text then serves.
        const std::string text = RealToText(d, 15);
        out += ParseReal(text) ? text : ShortestReal(d);
        break;
    }
    default:
        out += "null";
        break;
    }
}

} // namespace

TJsonDoc JsonNew()
{
    return TJsonDoc::object();
}

bool JsonHas(const TJsonDoc& doc, const std::string& name)
{
    return Member(doc, name) != nullptr;
}

std::string JsonStr(const TJsonDoc& doc, const std::string& name, const std::string& def)
{
    const TJsonDoc* m = Member(doc, name);
    if (!m)
        return def;
    if (m->is_string())
        return m->get<std::string>();
    if (m->is_object() || m->is_array())
        return m->dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::string text;
    WriteValue(text, *m, 0);
    return text;
}

int JsonInt(const TJsonDoc& doc, const std::string& name, int def)
{
    const TJsonDoc* m = Member(doc, name);
    if (!m)
        return def;
    if (m->is_boolean())
        return m->get<bool>() ? 1 : 0;
    if (m->is_number_integer() || m->is_number_unsigned()) {
        if (m->is_number_unsigned() && m->get<unsigned long long>() > static_cast<unsigned long long>(std::numeric_limits<int>::max()))
            return def;
        const long long v = m->get<long long>();
        if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
            return def;
        return static_cast<int>(v);
    }
    if (m->is_number_float())
        return ToInt(m->get<double>()).value_or(def);
    if (m->is_string())
        return ParseInteger(m->get_ref<const std::string&>()).value_or(0);
    return 0; // object or array
}

double JsonFloat(const TJsonDoc& doc, const std::string& name, double def)
{
    const TJsonDoc* m = Member(doc, name);
    if (!m)
        return def;
    if (m->is_number()) {
        const double v = m->get<double>();
        return std::isfinite(v) ? v : def;
    }
    if (m->is_boolean())
        return m->get<bool>() ? 1.0 : 0.0;
    if (m->is_string())
        return ParseReal(m->get_ref<const std::string&>()).value_or(0.0);
    return 0.0;
}

bool JsonBool(const TJsonDoc& doc, const std::string& name, bool def)
{
    const TJsonDoc* m = Member(doc, name);
    if (!m)
        return def;
    if (m->is_boolean())
        return m->get<bool>();
    if (m->is_number())
        return m->get<double>() != 0.0;
    if (m->is_string())
        return !m->get_ref<const std::string&>().empty();
    return true; // object or array
}

void JsonPutDate(TJsonDoc& doc)
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local {};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    TJsonDoc date = TJsonDoc::object();
    date["day"] = local.tm_mday;
    date["month"] = local.tm_mon + 1;
    date["year"] = local.tm_year + 1900;
    date["hour"] = local.tm_hour;
    date["min"] = local.tm_min;
    date["sec"] = local.tm_sec > 59 ? 59 : local.tm_sec; // a leap second shows as 59
    date["msec"] = static_cast<int>(ms);
    doc["date"] = std::move(date);
}

void JsonPutAuthor(TJsonDoc& doc, const std::string& name, const std::string& company)
{
    TJsonDoc author = TJsonDoc::object();
    author["name"] = name;
    author["company"] = company;
    doc["author"] = std::move(author);
}

void JsonPutFormPos(TJsonDoc& doc, const std::string& key, const TFormBounds& bounds)
{
    TJsonDoc pos = TJsonDoc::object();
    pos["Left"] = bounds.Left;
    pos["Top"] = bounds.Top;
    pos["Width"] = bounds.Width;
    pos["Height"] = bounds.Height;
    doc[key] = std::move(pos);
}

void JsonGetFormPos(const TJsonDoc& doc, const std::string& key, TFormBounds& bounds)
{
    const TJsonDoc* pos = Member(doc, key);
    if (!pos)
        return;
    bounds.Left = JsonInt(*pos, "Left", 0);
    bounds.Top = JsonInt(*pos, "Top", 0);
}

namespace {

// Builds the document as the library's own parser does, but gives up on nesting
// deeper than kJsonMaxDepth: every later step (copies of members, the writer, a
// member's text) walks the document recursively.
class TDepthLimitedDom {
public:
    using Dom = nlohmann::detail::json_sax_dom_parser<TJsonDoc>;
    explicit TDepthLimitedDom(TJsonDoc& doc) : dom_(doc, false) { }

    bool null() { return dom_.null(); }
    bool boolean(bool v) { return dom_.boolean(v); }
    bool number_integer(TJsonDoc::number_integer_t v) { return dom_.number_integer(v); }
    bool number_unsigned(TJsonDoc::number_unsigned_t v) { return dom_.number_unsigned(v); }
    bool number_float(TJsonDoc::number_float_t v, const TJsonDoc::string_t& text) { return dom_.number_float(v, text); }
    bool string(TJsonDoc::string_t& v) { return dom_.string(v); }
    bool binary(TJsonDoc::binary_t& v) { return dom_.binary(v); }
    bool start_object(std::size_t n) { return ++depth_ <= kJsonMaxDepth && dom_.start_object(n); }
    bool key(TJsonDoc::string_t& v) { return dom_.key(v); }
    bool end_object() { return --depth_, dom_.end_object(); }
    bool start_array(std::size_t n) { return ++depth_ <= kJsonMaxDepth && dom_.start_array(n); }
    bool end_array() { return --depth_, dom_.end_array(); }
    template <class Exception>
    bool parse_error(std::size_t position, const std::string& token, const Exception& e)
    {
        return dom_.parse_error(position, token, e);
    }

private:
    Dom dom_;
    int depth_ = 0;
};

} // namespace

std::optional<TJsonDoc> JsonParseBytes(std::string_view bytes)
{
    const std::string text = DecodeFileText(std::string(bytes));
    TJsonDoc doc;
    TDepthLimitedDom builder(doc);
    // Not strict: the first complete value is taken and the text after it ignored.
    if (!TJsonDoc::sax_parse(text.begin(), text.end(), &builder, nlohmann::json::input_format_t::json, false))
        return std::nullopt;
    return doc;
}

std::optional<TJsonDoc> JsonLoadFile(const std::string& fileName)
{
    return JsonParseBytes(ReadWholeFile(fileName));
}

std::string JsonSaveText(const TJsonDoc& doc)
{
    std::string out;
    WriteValue(out, doc, 0);
    out += "\r\n";
    return out;
}

void JsonSaveFile(const TJsonDoc& doc, const std::string& fileName)
{
    WriteWholeFile(fileName, JsonSaveText(doc));
}
