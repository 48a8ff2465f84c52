#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;

namespace club_ui {

// Names the program, and so where it keeps its settings (the recent clubs) and its first club:
// one folder and one settings file named "Club Secretary" in the user's data and settings
// folders. Called before any window is made.
void NameTheProgram();

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
