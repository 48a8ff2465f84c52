#include "club_ui/recent_clubs.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QSettings>
#include <memory>

namespace club_ui {
namespace {

const char kRecentClubsKey[] = "recentClubs";
constexpr int kRecentClubsKept = 8;
// What the program was called before it kept races: its settings are taken over once.
const char kEarlierName[] = "Race Distances";

// Qt keeps settings under the organisation's name, and refuses to without one; with the program's
// name in its place they sit beside the data folder and are found under the same name.
std::unique_ptr<QSettings> SettingsNamed(const QString& name) {
    return std::make_unique<QSettings>(QSettings::UserScope, name);
}

}  // namespace

std::unique_ptr<QSettings> ProgramSettings() {
    return SettingsNamed(QCoreApplication::applicationName());
}

void NameTheProgram() {
    // Without an organisation the data folder is the program's own, ~/.local/share/Club Secretary
    // or %APPDATA%\Club Secretary, rather than a folder of that name inside another.
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QStringLiteral("Club Secretary"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.ClubSecretary"));
}

RecentClubs::RecentClubs(QMenu& menu) : QObject(&menu), menu_(menu) {
    connect(&menu_, &QMenu::aboutToShow, this, &RecentClubs::Fill);
}

QStringList RecentClubs::List() {
    const std::unique_ptr<QSettings> settings = ProgramSettings();
    if (settings->contains(kRecentClubsKey)) return settings->value(kRecentClubsKey).toStringList();
    const QStringList earlier =
        SettingsNamed(QString::fromLatin1(kEarlierName))->value(kRecentClubsKey).toStringList();
    if (!earlier.isEmpty()) settings->setValue(kRecentClubsKey, earlier);
    return earlier;
}

void RecentClubs::Remember(const QString& path) {
    QStringList recent = List();
    // Most starts open the club used last: the settings file is then left as it is, unwritten.
    if (!recent.isEmpty() && recent.first() == path) return;
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentClubsKept) recent.removeLast();
    ProgramSettings()->setValue(kRecentClubsKey, recent);
}

void RecentClubs::Fill() {
    menu_.clear();
    const QStringList recent = List();
    int number = 1;
    for (const QString& path : recent) {
        const QString text =
            QStringLiteral("&%1 %2").arg(number++).arg(QDir::toNativeSeparators(path));
        menu_.addAction(text, this, [this, path] { emit ClubChosen(path); });
    }
    if (recent.isEmpty()) menu_.addAction(tr("No club opened yet"))->setEnabled(false);
}

}  // namespace club_ui
