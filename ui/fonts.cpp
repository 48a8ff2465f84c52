#include "ui/fonts.h"

#include <QColor>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>
#include <QStringList>
#include <QWidget>

namespace calculator {
namespace {

// On Windows the window asks first for the face it was drawn with, which Windows has; every
// platform then falls back to the metric clones Linux desktops have. The first of them the
// system has is asked for alone: the face Qt would choose from the whole list, but given more
// than one, Qt sorts every font the system has for the faces to fall back on at the font's
// first use, which one face leaves until a character is missing from it.
QStringList Faces(const QStringList& windows, const QStringList& clones) {
#ifdef Q_OS_WIN
    const QStringList faces = windows + clones;
#else
    Q_UNUSED(windows);
    const QStringList& faces = clones;
#endif
    for (const QString& face : faces) {
        if (!QFontDatabase::styles(face).isEmpty()) return {face};
    }
    return faces;
}

// "MS Sans Serif" and "Arial" are metric sans faces; Liberation Sans keeps their widths.
QFont MetricSans(const QString& windowsFace, qreal points, bool bold) {
    QFont font;
    font.setFamilies(Faces({windowsFace}, {QStringLiteral("Liberation Sans"),
                                           QStringLiteral("Arimo"), QStringLiteral("Arial")}));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Windows' TrueType successor of the bitmap "MS Sans Serif", with the same metrics.
QString MicrosoftSansSerif() {
    return QStringLiteral("Microsoft Sans Serif");
}

constexpr QColor kYellow(255, 255, 0);

QColor TitleBarColour() {
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

}  // namespace

QFont FontOf(FontKind kind) {
    switch (kind) {
        case FontKind::System: {
            // Windows' own sans face or, elsewhere, the platform's stands in for "System": the
            // application's font, which is the system's, named by its face where start-up could.
            QFont font = QGuiApplication::font();
            font.setFamilies(Faces({MicrosoftSansSerif()}, {font.family()}));
            font.setStyleHint(QFont::SansSerif);
            font.setPointSizeF(9.75);
            font.setBold(true);
            return font;
        }
        case FontKind::SmallSans:
            return MetricSans(MicrosoftSansSerif(), 8.25, true);
        case FontKind::ButtonSans:
            return MetricSans(MicrosoftSansSerif(), 9.75, true);
        case FontKind::Century: {
            // Century Schoolbook clones; fontconfig alone would map "Century" to a sans face.
            QFont font;
            font.setFamilies(Faces(
                {QStringLiteral("Century"), QStringLiteral("Century Schoolbook")},
                {QStringLiteral("C059"), QStringLiteral("TeX Gyre Schola"),
                 QStringLiteral("Century Schoolbook L"), QStringLiteral("Century Schoolbook")}));
            font.setStyleHint(QFont::Serif);
            font.setPointSizeF(14.25);
            font.setBold(true);
            return font;
        }
        case FontKind::Arial:
            return MetricSans(QStringLiteral("Arial"), 8.25, false);
    }
    return {};
}

void PaintOnTitleBarColour(QWidget* widget) {
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, TitleBarColour());
        palette.setColor(group, QPalette::Text, kYellow);
        palette.setColor(group, QPalette::Highlight, kYellow);
        palette.setColor(group, QPalette::HighlightedText, TitleBarColour());
    }
    widget->setPalette(palette);
}

}  // namespace calculator
