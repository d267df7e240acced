// Project files: one cycle as a JSON document.
#include "core/cycle.h"

#include "core/cyclefields.h"
#include "core/errors.h"
#include "core/jsondoc.h"
#include "core/numtext.h"
#include "core/productinfo.h"

namespace {

const char* const kAppName = "kelvora";
const char* const kFileVersion = KELVORA_VERSION;
const char* const kAuthorName = "Kelvora Engineering";
const char* const kCompany = "Zandrovel Software";

std::string WithFileName(const char* message, const std::string& fileName)
{
    std::string text = message;
    text.replace(text.find("%s"), 2, fileName);
    return text;
}

} // namespace

void TKelvora::SaveToFile(const std::string& fileName)
{
    TJsonDoc doc = JsonNew();
    doc["app"] = kAppName;
    doc["ver"] = kFileVersion;
    JsonPutAuthor(doc, kAuthorName, kCompany);
    JsonPutDate(doc);
    rnum = lib_->GetName();
    doc["rnum"] = rnum;
    for (const auto& n : kCycleNumbers)
        doc[n.fileKey] = this->*n.field;
    doc["DutyBasis"] = DutyBasis;
    doc["LinkTeSST"] = LinkTeSST;
    doc["LinkTcSDT"] = LinkTcSDT;
    JsonSaveFile(doc, fileName);
}

void TKelvora::LoadFromFile(const std::string& fileName)
{
    // Text that is not JSON reads as a document without "app" and is refused with it.
    const TJsonDoc doc = JsonLoadFile(fileName).value_or(TJsonDoc());
    if (!SameText(JsonStr(doc, "app", ""), kAppName))
        throw DataFormatError(WithFileName("Invalid Json data file (%s)!", fileName));
    if (!SameText(JsonStr(doc, "ver", ""), kFileVersion))
        throw DataFormatError(WithFileName("Json data file version mismatch (%s)!", fileName));

    // Selected before the name is taken over, so that a bad library section leaves
    // the model as it was.
    const std::string name = JsonStr(doc, "rnum", "R22");
    lib_->SelectByName(name);
    rnum = name;
    for (const auto& n : kCycleNumbers)
        this->*n.field = JsonFloat(doc, n.fileKey, this->*n.field);
    DutyBasis = JsonInt(doc, "DutyBasis", dbCoolingLoad);
    LinkTeSST = JsonBool(doc, "LinkTeSST", LinkTeSST);
    LinkTcSDT = JsonBool(doc, "LinkTcSDT", LinkTcSDT);
}
