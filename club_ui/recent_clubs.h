#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QMenu;
class QSettings;

namespace club_ui {

// Names the program, and so where it keeps its settings (the recent clubs) and its first club:
// one folder and one settings file named "Club Secretary" in the user's data and settings
// folders. Called before any window is made.
void NameTheProgram();

// The program's settings, in that one file: the recent clubs, and how the result is shown.
std::unique_ptr<QSettings> ProgramSettings();

// The clubs opened last, kept in the program's settings, and the menu that offers them.
class RecentClubs : public QObject {
    Q_OBJECT

  public:
    // Fills the menu each time it opens.
    explicit RecentClubs(QMenu& menu);

    // The clubs opened, the last first. On a first start after the program was renamed, those
    // kept under its earlier name (the clubs' files stay where they are).
    static QStringList List();
    static void Remember(const QString& path);

  signals:
    void ClubChosen(const QString& path);

  private:
    void Fill();

    QMenu& menu_;
};

}  // namespace club_ui
