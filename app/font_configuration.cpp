#include "app/font_configuration.h"

#ifdef VC_FONTCONFIG
#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QString>

#include <clocale>
#include <cstdlib>
#endif

namespace startup {
#ifdef VC_FONTCONFIG
namespace {

// The name Qt gives the system's sans face where no desktop names one (its generic Unix theme);
// it is no font's name, only a stand-in.
constexpr char kGenericSans[] = "Sans Serif";

// The faces fontconfig sorts first for `family` in upright letters, best first, as Qt sorts them
// for a family it has no font of: the family asked for strongly, the locale's language, and the
// configuration's rules and defaults.
QStringList SortedFaces(const char* family) {
    QStringList faces;
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return faces;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    if (FcPattern* defaults = FcPatternCreate()) {
        FcDefaultSubstitute(defaults);
        FcChar8* language = nullptr;
        if (FcPatternGetString(defaults, FC_LANG, 0, &language) == FcResultMatch) {
            FcPatternAddString(pattern, FC_LANG, language);
        }
        FcPatternDestroy(defaults);
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultMatch;
    FcFontSet* sorted = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
    FcPatternDestroy(pattern);
    if (sorted == nullptr) return faces;
    for (int i = 0; i < sorted->nfont; ++i) {
        FcChar8* face = nullptr;
        if (FcPatternGetString(sorted->fonts[i], FC_FAMILY, 0, &face) == FcResultMatch) {
            faces << QString::fromUtf8(reinterpret_cast<const char*>(face));
        }
    }
    FcFontSetDestroy(sorted);
    return faces;
}

// The application's font given the first of `faces` that Qt has a font of, the face Qt itself
// would have come to; left as it is where a desktop named its face.
void NameTheGenericFace(const QStringList& faces) {
    QFont font = QApplication::font();
    if (font.families() != QStringList{QLatin1String(kGenericSans)}) return;
    for (const QString& face : faces) {
        if (!QFontDatabase::styles(face).isEmpty()) {
            font.setFamilies({face});
            QApplication::setFont(font);
            return;
        }
    }
}

}  // namespace
#endif

FontConfigurationReader::FontConfigurationReader([[maybe_unused]] const Marks& marks) {
#ifdef VC_FONTCONFIG
    // Fontconfig reads the environment as it goes, and as Qt connects it takes out of the
    // environment the startup-notification id a desktop launches a program with: the environment
    // must not change under another thread. With such an id the configuration is left to Qt, read
    // in its turn as before.
    if (std::getenv("DESKTOP_STARTUP_ID") != nullptr ||
        std::getenv("XDG_ACTIVATION_TOKEN") != nullptr) {
        return;
    }
    // QCoreApplication's first step, the environment's locale, taken first here, so that the
    // numbers in fontconfig's files are never read while the decimal point changes.
    std::setlocale(LC_ALL, "");
    // Fontconfig keeps one configuration for the whole process, made once and safely from any
    // thread; Qt's own FcInit() then finds it made.
    reader_ = OnTheOtherCore(marks, "fonts", [this] {
        FcInit();
        sans_faces_ = SortedFaces(kGenericSans);
    });
#endif
}

void FontConfigurationReader::Finish() {
    if (!reader_.joinable()) return;
    reader_.join();
#ifdef VC_FONTCONFIG
    NameTheGenericFace(sans_faces_);
#endif
}

}  // namespace startup
