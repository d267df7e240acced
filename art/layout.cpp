#include "art/layout.h"

#include <QFontMetrics>

namespace art {

namespace {

constexpr int kFieldWidth = 52;
constexpr int kFieldHeight = 21;
constexpr int kCaptionGap = 4;  // caption's right edge to the field
constexpr int kUnitsGap = 3;    // field to its units label
constexpr int kUnitsWidth = 40; // widest label of the kinds shown ("Btu/hr", "InchHg")

struct TFieldRow {
    const char* name;
    const char* caption;
    int x, y;
    const char* design;
    const char* units;
};

// The main window's fields in tab order, positions from the panel's top-left corner.
constexpr TFieldRow kMainFields[] = {
    {"scEdit", "Sub-cooling", 80, 56, "5.0", "°C"},
    {"dtCondEdit", "dt,fluid", 235, 25, "10.0", "°C"},
    {"itdCondEdit", "Cond ITD", 235, 50, "20.0", "°C"},
    {"tcEdit", "Cond Temp", 241, 86, "45.0", "°C"},
    {"qcEdit", "Heat Rejection", 245, 139, "10.000", "kW"},
    {"qeEdit", "Cooling Load", 239, 260, "10.000", "kW"},
    {"teEdit", "Evap Temp", 240, 294, "5.0", "°C"},
    {"dtEvapEdit", "dt,fluid", 220, 349, "10.0", "°C"},
    {"itdEvapEdit", "Evap ITD", 220, 373, "18.0", "°C"},
    {"pwEdit", "Compressor Power", 311, 173, "10.000", "kW"},
    {"IeEdit", "Isentropic Efficiency", 311, 198, "0.720", "ratio"},
    {"HPEdit", "HP, abs", 512, 138, "1800.0", "kPa"},
    {"SDTEdit", "SDT, bub", 512, 164, "45.0", "°C"},
    {"LPEdit", "LP, abs", 489, 226, "450.00", "kPa"},
    {"SSTEdit", "SST, dew", 489, 252, "5.0", "°C"},
    {"mrEdit", "Flow", 60, 231, "1.0000", "kg/s"},
    {"shEdit", "Superheat", 395, 342, "7.5", "°C"},
    {"tdEdit", "Discharge", 512, 89, "90.0", "°C"},
    {"tlEdit", "Liquid", 81, 83, "40.0", "°C"},
    {"tsEdit", "Suction", 395, 365, "12.5", "°C"},
};

struct TCheckRow {
    const char* name;
    const char* caption;
    int x, y;
};

constexpr TCheckRow kMainChecks[] = {
    {"cbcond", "link SDT", 180, 112},
    {"cbevap", "Link SST", 181, 320},
};

// Display labels; their captions stand left of them like the field captions, except
// the refrigerant's, which stands above its label.
struct TLabelRow {
    const char* name;
    const char* caption;
    int x, y, w, h;
    const char* design;
};

constexpr TLabelRow kMainLabels[] = {
    {"COPLabel", "Cooling COP", 311, 222, 36, 16, "1.00"},
    {"x4Label", "Inlet quality", 122, 310, 36, 16, "0.00"},
};

constexpr TFieldRow kMeasureFields[] = {
    {"edHP", "High Pressure,abs", 117, 20, "1800.0", "kPa"},
    {"edLP", "Low Pressure,abs", 117, 52, "450.00", "kPa"},
    {"edSuction", "Suction Line temp", 117, 84, "10.0", "°C"},
    {"edDischarge", "Discharge Line temp", 117, 116, "90.0", "°C"},
    {"edLiquid", "Liquid Line temp", 117, 148, "40.0", "°C"},
};

// Caption width with a margin for a slightly wider font than the one measured.
int TextWidth(const char* text)
{
    return QFontMetrics(CaptionFont()).horizontalAdvance(QString::fromUtf8(text)) + 6;
}

void AddField(std::vector<TOverlayRect>& out, const TFieldRow& row, int width, QPoint shift)
{
    const QRect field(row.x, row.y, width, kFieldHeight);
    const int cw = TextWidth(row.caption);
    out.push_back({row.name, field.translated(shift), row.design});
    out.push_back({QString(row.name) + ":caption",
                   QRect(row.x - kCaptionGap - cw, row.y, cw, kFieldHeight).translated(shift),
                   row.caption});
    out.push_back({QString(row.name) + ":units",
                   QRect(field.right() + 1 + kUnitsGap, row.y, kUnitsWidth, kFieldHeight)
                       .translated(shift),
                   QString::fromUtf8(row.units)});
}

} // namespace

QFont CaptionFont()
{
    // 8 pt at 96 dpi in a font with the common sans metrics; a wider 9 pt font would
    // not even fit the measurement dialog's "Discharge Line temp" left of its field.
    QFont font("Liberation Sans");
    font.setPixelSize(11);
    return font;
}

std::vector<TOverlayRect> MainWindowOverlay()
{
    std::vector<TOverlayRect> out;
    for (const TFieldRow& row : kMainFields)
        AddField(out, row, kFieldWidth, {});
    for (const TCheckRow& row : kMainChecks)
        out.push_back({row.name, QRect(row.x, row.y, 20 + TextWidth(row.caption), 17), row.caption});
    for (const TLabelRow& row : kMainLabels) {
        const int cw = TextWidth(row.caption);
        out.push_back({row.name, QRect(row.x, row.y, row.w, row.h), row.design});
        out.push_back({QString(row.name) + ":caption",
                       QRect(row.x - kCaptionGap - cw, row.y, cw, row.h), row.caption});
    }
    // Refrigerant name: 16-pixel fixed-pitch font, room for eight characters, with its
    // italic caption above.
    out.push_back({"RefLabel", QRect(334, 43, 80, 20), "R22"});
    out.push_back({"RefLabel:caption", QRect(334, 24, TextWidth("Refrigerant"), 17), "Refrigerant"});
    return out;
}

std::vector<TOverlayRect> MeasureDialogOverlay()
{
    std::vector<TOverlayRect> out;
    for (const TFieldRow& row : kMeasureFields)
        AddField(out, row, 54, -kSmallCycleOrigin);
    return out;
}

void DrawControls(QPainter& p, const std::vector<TOverlayRect>& controls, QPoint shift)
{
    p.save();
    p.translate(shift);
    p.setFont(CaptionFont());
    for (const TOverlayRect& o : controls) {
        const bool caption = o.name.endsWith(":caption");
        const bool units = o.name.endsWith(":units");
        const bool field = o.name.endsWith("Edit") || o.name.startsWith("ed");
        p.setPen(QPen(caption ? QColor(0, 0, 220) : units ? QColor(170, 0, 170)
                                                          : Qt::red,
                      1));
        p.setBrush(field ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
        p.drawRect(QRectF(o.rect).adjusted(0.5, 0.5, -0.5, -0.5));
        p.setPen(Qt::black);
        const int align = caption || field ? Qt::AlignRight | Qt::AlignVCenter
                                           : Qt::AlignLeft | Qt::AlignVCenter;
        p.drawText(QRectF(o.rect).adjusted(2, 0, -2, 0), align, o.text);
    }
    p.restore();
}

std::vector<QString> Overlaps(const std::vector<TComponentRect>& components,
                              const std::vector<TOverlayRect>& controls)
{
    std::vector<QString> found;
    for (const TComponentRect& c : components)
        for (const TOverlayRect& o : controls)
            if (c.rect.intersects(o.rect))
                found.push_back(c.name + " under " + o.name);
    return found;
}

} // namespace art
