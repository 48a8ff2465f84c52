// The Club Secretary window as a screen reader and a keyboard reach it.

#include <QAccessible>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <array>
#include <functional>

#include "club/club_file.h"
#include "club_ui/club_window.h"
#include "club_ui/pane.h"
#include "club_ui/recent_clubs.h"
#include "club_ui/wrapping_label.h"
#include "tests/common/accessible_tree.h"

namespace {

QTableView* TableNamed(const QWidget& window, const QString& name) {
    for (QTableView* view : window.findChildren<QTableView*>()) {
        if (view->accessibleName() == name) return view;
    }
    return nullptr;
}

// A list's rows as its table shows them, in the order they were added.
const QAbstractItemModel& Rows(const QWidget& window, const QString& name) {
    return *TableNamed(window, name)->model();
}

QString Cell(const QWidget& window, const QString& name, int row, int column) {
    return Rows(window, name).index(row, column).data(Qt::EditRole).toString();
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // The recent clubs go to a settings file of the tests' own, not the user's.
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName("Club Secretary tests");
        path_ = folder_.filePath("club.club");
        club::Opening made = club::ClubFile::Create(path_.toStdU16String());
        QVERIFY(made.file);
        std::vector<club::RacePoint> race_points{{0, "Dover", "51 07 48 N", "1 18 48 E"}};
        QVERIFY(!made.file->Insert(race_points));
    }

    void everyControlNamedForAScreenReader_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        for (const char* table : {"Lofts", "Race points", "Distances"}) {
            QTest::newRow(table) << table << int{QAccessible::Table};
        }
        for (const char* header : {"Member", "Loft", "Latitude", "Longitude", "Race point"}) {
            QTest::newRow(header) << header << int{QAccessible::ColumnHeader};
        }
        for (const char* field :
             {"Race point latitude", "Race point longitude", "Loft latitude", "Loft longitude"}) {
            QTest::newRow(field) << field << int{QAccessible::EditableText};
        }
        QTest::newRow("race point picker") << "Race point to copy" << int{QAccessible::ComboBox};
        QTest::newRow("loft picker") << "Loft to copy" << int{QAccessible::ComboBox};
        QTest::newRow("kilometres") << "Distances in kilometres" << int{QAccessible::CheckBox};
        QTest::newRow("quick distance") << "Quick distance" << int{QAccessible::StaticText};
        QTest::newRow("selected distance") << "Selected distance" << int{QAccessible::StaticText};
    }

    void everyControlNamedForAScreenReader() {
        QFETCH(QString, name);
        QFETCH(int, role);
        club_ui::ClubWindow window;
        window.OpenStartingClub(path_);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        int found = 0;
        QStringList unnamed;
        testing_common::WalkAccessible(
            QAccessible::queryAccessibleInterface(&window), [&](QAccessibleInterface* node) {
                const QAccessible::Role node_role = node->role();
                // On Linux a combo box's name is its current text, and what it is for is its own
                // accessible name, which screen readers take as its label.
                const auto* widget = qobject_cast<const QWidget*>(node->object());
                const bool named = node->text(QAccessible::Name) == name ||
                                   (widget != nullptr && widget->accessibleName() == name);
                if (node_role == role && named) ++found;
                const bool control =
                    node_role == QAccessible::Table || node_role == QAccessible::EditableText ||
                    node_role == QAccessible::ComboBox || node_role == QAccessible::CheckBox ||
                    node_role == QAccessible::PushButton || node_role == QAccessible::ColumnHeader;
                if (control && node->text(QAccessible::Name).trimmed().isEmpty()) {
                    unnamed << QString::number(node_role);
                }
            });
        QVERIFY2(found >= 1, qPrintable(name));
        QVERIFY2(unnamed.isEmpty(), qPrintable("unnamed controls of roles " + unnamed.join(", ")));
    }

    void eachPartReachedByItsShortcut_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("reached");
        QTest::newRow("Alt+L") << int{Qt::Key_L} << "Lofts";
        QTest::newRow("Alt+R") << int{Qt::Key_R} << "Race points";
        QTest::newRow("Alt+T") << int{Qt::Key_T} << "Distances";
        QTest::newRow("Alt+Q") << int{Qt::Key_Q} << "Race point latitude";
        QTest::newRow("Alt+K") << int{Qt::Key_K} << "Distances in kilometres";
    }

    void eachPartReachedByItsShortcut() {
        QFETCH(int, key);
        QFETCH(QString, reached);
        club_ui::ClubWindow window;
        window.OpenStartingClub(path_);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QTest::keyClick(&window, static_cast<Qt::Key>(key), Qt::AltModifier);

        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused != nullptr);
        QCOMPARE(focused->accessibleName(), reached);
    }

    void startingClubOpensOnceTheWindowIsOnScreen() {
        club_ui::ClubWindow window;
        window.OpenStartingClubOnceShown(path_);
        QCOMPARE(Rows(window, "Race points").rowCount(), 0);
        window.show();
        // A window that never got its first paint would never open the club at all.
        QTRY_COMPARE(Rows(window, "Race points").rowCount(), 1);
    }

    // The window opens as the user left it: its size, and where its splitters and race night's
    // were put.
    void theWindowAndItsSplittersOpenAsTheyWereLeft() {
        const QStringList splitters{"places-and-distances", "typed-and-result"};
        const auto show_race_night = [](club_ui::ClubWindow& window) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QTest::keyClick(&window, Qt::Key_2, Qt::ControlModifier);
        };
        QSize size;
        QList<QList<int>> sizes;
        {
            club_ui::ClubWindow window;
            window.resize(900, 640);
            show_race_night(window);
            for (const QString& name : splitters) {
                window.findChild<QSplitter*>(name)->setSizes({600, 300});
                sizes.append(window.findChild<QSplitter*>(name)->sizes());
            }
            size = window.size();
            window.close();
        }
        club_ui::ClubWindow next;
        show_race_night(next);
        QCOMPARE(next.size(), size);
        for (qsizetype i = 0; i < splitters.size(); ++i) {
            QTRY_COMPARE(next.findChild<QSplitter*>(splitters[i])->sizes(), sizes[i]);
        }
        club_ui::ProgramSettings()->remove("layout");
    }

    void distancesReachedByTheirShortcutFromTheSwitchAboveThem() {
        club_ui::ClubWindow window;
        window.OpenStartingClub(path_);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_K, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget()->accessibleName(), "Distances in kilometres");

        QTest::keyClick(&window, Qt::Key_T, Qt::AltModifier);

        QCOMPARE(QApplication::focusWidget()->accessibleName(), "Distances");
    }

    void keyboardAddsALoftAndTakesItBackAndAgainInOneStep() {
        club_ui::ClubWindow window;
        window.OpenStartingClub(path_);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const int before = Rows(window, "Lofts").rowCount();

        QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, "A. Barker");
        QTest::keyClick(editor, Qt::Key_Return);  // the view commits the edit from its event loop
        QCOMPARE(Rows(window, "Lofts").rowCount(), before + 1);
        QTRY_COMPARE(Cell(window, "Lofts", before, 0), "A. Barker");

        // The loft and the member's name typed into it straight after are one step.
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Rows(window, "Lofts").rowCount(), before);
        QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Rows(window, "Lofts").rowCount(), before + 1);
        QCOMPARE(Cell(window, "Lofts", before, 0), "A. Barker");
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Cell(window, "Lofts", before, 0), "A. Barker");
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Rows(window, "Lofts").rowCount(), before);
    }

    // File, Import lofts, the file's name typed, the preview accepted: with keys alone.
    void importWorkedWithKeysAlone() {
#ifdef Q_OS_WIN
        QSKIP("Windows' own file dialog is not Qt's, to be typed into from here");
#endif
        const QString club = folder_.filePath("imported.club");
        QVERIFY(club::ClubFile::Create(club.toStdU16String()).file);
        const QString members = folder_.filePath("members.csv");
        {
            QFile file(members);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(
                "Member;Loft;Latitude;Longitude\r\nA. Barker;;52,5724;-1,9701\r\n"
                "C. Dale;Top;52 63 00 N;1 30 W\r\n");
        }
        club_ui::ClubWindow window;
        window.OpenStartingClub(club);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Each dialog, once it is up, answered as a secretary would.
        const auto answer = [](const std::function<void(QWidget&)>& keys) {
            QTimer::singleShot(200, [keys] {
                if (QWidget* dialog = QApplication::activeModalWidget()) keys(*dialog);
            });
        };
        bool previewed = false;
        answer([&](QWidget& file_dialog) {
            answer([&](QWidget& preview) {
                previewed = preview.findChild<QTableWidget*>() != nullptr;
                QTest::keyClick(&preview, Qt::Key_Return);  // Import, the default button
            });
            QTest::keyClicks(QApplication::focusWidget(), members);
            QTest::keyClick(&file_dialog, Qt::Key_Return);
        });

        QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_I);

        QVERIFY(previewed);
        QTRY_COMPARE(Rows(window, "Lofts").rowCount(), 1);  // the bad row left out
        QCOMPARE(Cell(window, "Lofts", 0, 0), "A. Barker");
    }

    // Ctrl+P opens the season sheet's preview; Tab reaches its Print button and Escape leaves it.
    void printPreviewWorkedWithKeysAlone() {
        club_ui::ClubWindow window;
        window.OpenStartingClub(path_);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QString reached;
        bool left = false;
        QTimer::singleShot(100, &window, [&] {
            QWidget* preview = QApplication::activeModalWidget();
            if (preview == nullptr || !QTest::qWaitForWindowActive(preview)) return;
            for (int tab = 0; tab < 40 && reached.isEmpty(); ++tab) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                const auto* button = qobject_cast<const QPushButton*>(QApplication::focusWidget());
                if (button != nullptr && button->text().contains("Print")) reached = button->text();
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            left = QApplication::activeModalWidget() == nullptr;
        });

        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);

        QVERIFY2(!reached.isEmpty(), "Tab never reached the preview's Print button");
        QVERIFY(left);
    }

    void copiesTheSelectedDistancesForASpreadsheet() {
        const QString path = folder_.filePath("two by two.club");
        {
            club::Opening made = club::ClubFile::Create(path.toStdU16String());
            QVERIFY(made.file);
            std::vector<club::Loft> lofts{{0, "A. Barker", "Fengate", "52 34 20 N", "0 14 30 W"},
                                          {0, "C. Dale", "Hill Top", "53 30 0 N", "1 30 0 W"}};
            std::vector<club::RacePoint> race_points{{0, "Stoke", "53 00 14 N", "2 10 47 W"},
                                                     {0, "Dover", "51 07 48 N", "1 18 48 E"}};
            QVERIFY(!made.file->Insert(lofts));
            QVERIFY(!made.file->Insert(race_points));
        }
        club_ui::ClubWindow window;
        window.OpenStartingClub(path);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTableView* distances = TableNamed(window, "Distances");
        QVERIFY(distances != nullptr);
        const QAbstractItemModel& model = *distances->model();
        const QString hill_top_from_dover = model.index(1, 1).data().toString();
        QVERIFY(hill_top_from_dover.endsWith(" yards"));
        // "N miles M yards" as the two numbers a spreadsheet takes.
        const QString figures = QString(hill_top_from_dover)
                                    .remove(QStringLiteral(" yards"))
                                    .replace(QStringLiteral(" miles "), QStringLiteral("\t"));
        QApplication::clipboard()->clear();

        // Two cells corner to corner, with the headings: the two between them stay empty, holding
        // the columns.
        distances->setFocus();
        distances->selectionModel()->select(model.index(0, 0), QItemSelectionModel::Select);
        distances->selectionModel()->select(model.index(1, 1), QItemSelectionModel::Select);
        QTest::keyClick(distances, Qt::Key_C, Qt::ControlModifier);

        QCOMPARE(QApplication::clipboard()->text(),
                 "Loft\tStoke miles\tStoke yards\tDover miles\tDover yards\n"
                 "A. Barker, Fengate\t86\t971\t\t\n"
                 "C. Dale, Hill Top\t\t\t" +
                     figures + "\n");
    }

    // The panes' words on the cell selected keep their heights by width; each must stay what a
    // label of Qt's own gives for the text and the font shown now.
    void aWrappedLabelIsAsHighAsQtsOwn_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("then");
        QTest::addColumn<int>("point_size");  // 0: the font left as it was
        const QString short_text = QStringLiteral("Select a cell to see its distance.");
        const QString long_text = QStringLiteral(
            "Dover to A. Barker, Fengate: 86 miles 971 yards, bearing 312 degrees; 138.4 km.");
        QTest::newRow("the same text") << short_text << short_text << 0;
        QTest::newRow("a longer text") << short_text << long_text << 0;
        QTest::newRow("a larger font") << long_text << long_text << 20;
    }

    void aWrappedLabelIsAsHighAsQtsOwn() {
        QFETCH(QString, first);
        QFETCH(QString, then);
        QFETCH(int, point_size);
        club_ui::WrappingLabel label(first);
        QLabel own(first);
        own.setWordWrap(true);
        own.setTextInteractionFlags(label.textInteractionFlags());
        const std::array widths{60, 150, 400};
        for (const int width : widths) (void)label.heightForWidth(width);
        label.setText(then);
        own.setText(then);
        if (point_size > 0) {
            QFont larger = label.font();
            larger.setPointSize(point_size);
            label.setFont(larger);
            own.setFont(larger);
        }
        for (const int width : widths) {
            QCOMPARE(label.heightForWidth(width), own.heightForWidth(width));
        }
    }

    // A pane keeps its least size, and gives what a group box of Qt's own gives for its title,
    // what it holds and its font now.
    void aPaneIsAsSmallAsQtsOwn_data() {
        QTest::addColumn<int>("held_width");  // what it holds then, at least
        QTest::addColumn<int>("point_size");  // 0: the font's size left as it was
        QTest::addColumn<int>("spacing");     // pixels between the title's letters
        QTest::addColumn<QString>("title");   // the title then
        const QString title = QStringLiteral("Distances from race points to lofts");
        QTest::newRow("the same") << 40 << 0 << 0 << title;
        QTest::newRow("wider inside") << 900 << 0 << 0 << title;
        QTest::newRow("a larger font") << 40 << 30 << 0 << title;
        QTest::newRow("a font as high, wider") << 40 << 0 << 8 << title;
        QTest::newRow("a longer title") << 40 << 0 << 0 << title + title;
    }

    void aPaneIsAsSmallAsQtsOwn() {
        QFETCH(int, held_width);
        QFETCH(int, point_size);
        QFETCH(int, spacing);
        QFETCH(QString, title);
        const QString first = QStringLiteral("Distances from race points to lofts");
        club_ui::Pane pane(first);
        QGroupBox own(first);
        const std::array<QGroupBox*, 2> boxes{&pane, &own};
        for (QGroupBox* box : boxes) {
            (new QVBoxLayout(box))->addWidget(new QWidget);
            box->findChild<QWidget*>()->setMinimumWidth(40);
        }
        QCOMPARE(pane.minimumSizeHint(), own.minimumSizeHint());
        QFont font = own.font();
        if (point_size > 0) font.setPointSize(point_size);
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
        for (QGroupBox* box : boxes) {
            box->findChild<QWidget*>()->setMinimumWidth(held_width);
            box->setTitle(title);
            // A font set as it was would renew the kept size whatever else changed.
            if (point_size > 0 || spacing > 0) box->setFont(font);
        }
        QCOMPARE(pane.minimumSizeHint(), own.minimumSizeHint());
    }

  private:
    QTemporaryDir folder_;
    QString path_;
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
