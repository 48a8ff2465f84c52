#include "ui/faces.h"

#include <QFontDatabase>
#include <QStringList>

namespace calculator {
namespace {

// "MS Sans Serif" and "Arial" are metric sans faces; Liberation Sans keeps their widths.
QFont MetricSans(qreal points, bool bold) {
    QFont font;
    font.setFamilies(
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace

QFont FontOf(FontKind kind) {
    switch (kind) {
        case FontKind::System: {
            // The platform's own sans face stands in for "System".
            QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
            font.setStyleHint(QFont::SansSerif);
            font.setPointSizeF(9.75);
            font.setBold(true);
            return font;
        }
        case FontKind::SmallSans:
            return MetricSans(8.25, true);
        case FontKind::ButtonSans:
            return MetricSans(9.75, true);
        case FontKind::Century: {
            // Century Schoolbook clones; fontconfig alone would map "Century" to a sans face.
            QFont font;
            font.setFamilies({QStringLiteral("C059"), QStringLiteral("TeX Gyre Schola"),
                              QStringLiteral("Century Schoolbook L"),
                              QStringLiteral("Century Schoolbook")});
            font.setStyleHint(QFont::Serif);
            font.setPointSizeF(14.25);
            font.setBold(true);
            return font;
        }
        case FontKind::Arial:
            return MetricSans(8.25, false);
    }
    return {};
}

}  // namespace calculator
