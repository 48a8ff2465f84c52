#include "club_ui/club_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <memory>

#include "distance/coordinate.h"
#include "distance/geodesic.h"
#include "distance/places_csv.h"
#include "club_ui/distance_table_model.h"
#include "club_ui/import_preview.h"
#include "club_ui/list_commands.h"
#include "club_ui/place_list_model.h"

namespace club_ui {
namespace {

const QString kClubFilter = QObject::tr("Club files (*.club)");
const QString kClubSuffix = QStringLiteral("club");
const QString kRecentClubsKey = QStringLiteral("recentClubs");
constexpr int kRecentClubsKept = 8;
// Room around a cell's text for the style's margins and the focus frame.
constexpr int kCellPadding = 24;

std::filesystem::path FilePath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

QString WithClubSuffix(QString path) {
    if (QFileInfo(path).suffix().isEmpty()) path += "." + kClubSuffix;
    return path;
}

// A whole position pasted into one field, as map pages, GPS units and spreadsheets copy it
// ("52.5724, -1.9701", "52°34'20.5\"N 1°58'12.0\"W", two cells with a tab between): its latitude
// and longitude, when the text splits into the two in exactly one way. A text that reads as one
// latitude, or splits several ways ("52 30 1 50"), is left as typed.
std::optional<std::pair<QString, QString>> SplitPastedPosition(const QString& text) {
    const auto reads = [](const QString& latitude, const QString& longitude) {
        return distance::ReadAngle(latitude.toStdString(), distance::Axis::Latitude).ok() &&
               distance::ReadAngle(longitude.toStdString(), distance::Axis::Longitude).ok();
    };
    if (distance::ReadAngle(text.toStdString(), distance::Axis::Latitude).ok()) return std::nullopt;
    for (const QString& separator :
         {QStringLiteral("\t"), QStringLiteral(";"), QStringLiteral(", "), QStringLiteral(",")}) {
        const qsizetype at = text.indexOf(separator);
        if (at <= 0 || text.indexOf(separator, at + 1) >= 0) continue;
        const QString latitude = text.left(at).trimmed();
        const QString longitude = text.mid(at + separator.size()).trimmed();
        if (reads(latitude, longitude)) return std::pair{latitude, longitude};
    }
    std::optional<std::pair<QString, QString>> split;
    for (qsizetype at = 1; at < text.size(); ++at) {
        if (!text[at].isSpace()) continue;
        const QString latitude = text.left(at).trimmed();
        const QString longitude = text.mid(at).trimmed();
        if (latitude.isEmpty() || longitude.isEmpty() || !reads(latitude, longitude)) continue;
        if (split && split->first != latitude) return std::nullopt;  // more than one way
        split = std::pair{latitude, longitude};
    }
    return split;
}

// Qt keeps settings under the organisation's name, and refuses to without one; with the program's
// name in its place they sit beside the data folder and are found under the same name.
std::unique_ptr<QSettings> ProgramSettings() {
    return std::make_unique<QSettings>(QSettings::UserScope, QCoreApplication::applicationName());
}

// A frame whose shortcut always lands in one of its widgets. A plain group box goes back to the
// widget in it that had the focus last, so that after In kilometres Alt+T would stay on that
// switch rather than reach the distances.
class FrameReachedAt : public QGroupBox {
  public:
    FrameReachedAt(const QString& title, QWidget& landing) : QGroupBox(title), landing_(landing) {}

  protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::Shortcut) return QGroupBox::event(event);
        landing_.setFocus(Qt::ShortcutFocusReason);
        return true;
    }

  private:
    QWidget& landing_;
};

// What a sheet or a spreadsheet leaves out, told in the status bar.
QString RowsToMend(std::size_t count) {
    return count == 1 ? QObject::tr("one row with coordinates to mend")
                      : QObject::tr("%1 rows with coordinates to mend").arg(count);
}

}  // namespace

void NameTheProgram() {
    // Without an organisation the data folder is the program's own, ~/.local/share/Race Distances
    // or %APPDATA%\Race Distances, rather than a folder of that name inside another.
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QStringLiteral("Club Secretary"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.ClubSecretary"));
}

ClubWindow::ClubWindow(QWidget* parent) : QMainWindow(parent) {
    lofts_ = new PlaceListModel(club::List::Lofts, undo_stack_, this);
    race_points_ = new PlaceListModel(club::List::RacePoints, undo_stack_, this);
    distances_ = new DistanceTableModel(*lofts_, *race_points_, this);
    for (PlaceListModel* model : {lofts_, race_points_}) {
        connect(model, &PlaceListModel::WriteFailed, this,
                &ClubWindow::ReportWriteProblem);
    }

    auto* lists = new QSplitter(Qt::Vertical);
    lists->addWidget(BuildListFrame(*lofts_, loft_order_, loft_view_, tr("&Lofts")));
    lists->addWidget(
        BuildListFrame(*race_points_, race_point_order_, race_point_view_, tr("&Race points")));
    auto* right = new QWidget;
    auto* right_layout = new QVBoxLayout(right);
    right_layout->setContentsMargins(0, 0, 0, 0);
    right_layout->addWidget(BuildDistanceFrame(), 1);
    right_layout->addWidget(BuildQuickDistanceFrame());
    auto* halves = new QSplitter(Qt::Horizontal);
    halves->addWidget(lists);
    halves->addWidget(right);
    halves->setStretchFactor(0, 2);
    halves->setStretchFactor(1, 3);
    halves->setSizes({520, 680});
    setCentralWidget(halves);
    BuildMenus();
    statusBar()->showMessage(tr("Every change is written to the club file as it is made."));
    // Another window or program with the same club open writes to the same file; its changes are
    // read in when the file says it has some.
    auto* look_for_changes = new QTimer(this);
    connect(look_for_changes, &QTimer::timeout, this,
            &ClubWindow::ReadChangesMadeElsewhere);
    look_for_changes->start(std::chrono::seconds(2));
    resize(1200, 760);
}

ClubWindow::~ClubWindow() {
    // The commands hold the models; the models point into the club file, closed after them.
    undo_stack_.clear();
    lofts_->ShowClub(nullptr);
    race_points_->ShowClub(nullptr);
}

QWidget* ClubWindow::BuildListFrame(PlaceListModel& model, QSortFilterProxyModel*& proxy,
                                             QTableView*& view, const QString& title) {
    auto* frame = new QGroupBox(title);
    const QString items = model.ItemName(2);
    proxy = new QSortFilterProxyModel(this);
    proxy->setSourceModel(&model);
    proxy->setSortRole(kSortRole);
    proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    proxy->setSortLocaleAware(true);
    view = new QTableView;
    view->setModel(proxy);
    view->setAccessibleName(items.left(1).toUpper() + items.mid(1));
    view->setSortingEnabled(true);
    // The order they were added until a header is clicked.
    view->sortByColumn(-1, Qt::AscendingOrder);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->setTabKeyNavigation(false);  // Tab leaves the list for the next field
    // The member's or race point's name has what is left once the coordinates have room for
    // their written form and the mark of one that cannot be read, and a loft's name room for a
    // usual one: most members have a single loft and leave it empty, while a member's name such
    // as "K. Jevons & Daughter" needs the width.
    const int coordinate_width =
        view->fontMetrics().horizontalAdvance(QStringLiteral("188°88'88.8\"W")) +
        view->iconSize().width() + kCellPadding;
    const int loft_width =
        view->fontMetrics().horizontalAdvance(QStringLiteral("Young birds")) + kCellPadding;
    for (int column = 0; column < model.columnCount(); ++column) {
        const bool coordinate = column >= club::LatitudeColumn(model.list());
        view->horizontalHeader()->setSectionResizeMode(
            column, column == 0 ? QHeaderView::Stretch : QHeaderView::Interactive);
        if (column > 0) {
            view->horizontalHeader()->resizeSection(column,
                                                    coordinate ? coordinate_width : loft_width);
        }
    }
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
    QTableView* list_view = view;
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, proxy](const QModelIndex& current) {
                ShowCellProblem(proxy->mapToSource(current));
            });
    // A cell just mended, or just mistyped, says so where the user is looking: the change comes
    // while the cell's editor still has the focus, inside the list.
    connect(&model, &QAbstractItemModel::dataChanged, this, [this, proxy, list_view] {
        const QWidget* focus = QApplication::focusWidget();
        if (focus == list_view || list_view->isAncestorOf(focus)) {
            ShowCellProblem(proxy->mapToSource(list_view->currentIndex()));
        }
    });

    const bool lofts = model.list() == club::List::Lofts;
    auto* add = new QPushButton(lofts ? tr("&Add loft") : tr("A&dd race point"));
    auto* remove = new QPushButton(lofts ? tr("Delete lofts") : tr("Delete race points"));
    remove->setToolTip(tr("Deletes the selected rows (Delete key in the list)"));
    connect(add, &QPushButton::clicked, this,
            lofts ? &ClubWindow::AddLoft : &ClubWindow::AddRacePoint);
    connect(remove, &QPushButton::clicked, this,
            lofts ? &ClubWindow::DeleteSelectedLofts
                  : &ClubWindow::DeleteSelectedRacePoints);
    auto* delete_key = new QAction(remove->text(), view);
    delete_key->setShortcut(QKeySequence::Delete);
    delete_key->setShortcutContext(Qt::WidgetShortcut);
    connect(delete_key, &QAction::triggered, remove, &QPushButton::click);
    list_view->addAction(delete_key);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(view);
    layout->addLayout(buttons);
    return frame;
}

QWidget* ClubWindow::BuildDistanceFrame() {
    kilometres_ = new QCheckBox(tr("In &kilometres"));
    kilometres_->setAccessibleName(tr("Distances in kilometres"));
    distance_view_ = new QTableView;
    auto* frame = new FrameReachedAt(tr("Dis&tances from race points to lofts"), *distance_view_);
    distance_view_->setModel(distances_);
    distance_view_->setAccessibleName(tr("Distances"));
    distance_view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    distance_view_->setTabKeyNavigation(false);
    distance_view_->setWordWrap(false);
    // Fixed widths: fitting the columns to their contents would work out every distance.
    ShowInKilometres(false);
    distance_view_->verticalHeader()->setDefaultSectionSize(distance_view_->fontMetrics().height() +
                                                            8);
    distance_view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    distance_view_->verticalHeader()->setMaximumWidth(
        distance_view_->fontMetrics().horizontalAdvance(QStringLiteral("M")) * 22);
    connect(distance_view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ClubWindow::ShowSelectedDistance);
    connect(distances_, &QAbstractItemModel::modelReset, this,
            &ClubWindow::ShowSelectedDistance);
    connect(kilometres_, &QCheckBox::toggled, this, &ClubWindow::ShowInKilometres);
    // Ctrl+C in the table: the selected distances as a spreadsheet pastes them.
    auto* copy = new QAction(tr("Copy distances"), distance_view_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &ClubWindow::CopySelectedDistances);
    distance_view_->addAction(copy);
    selected_distance_ =
        new QLabel(tr("Select a cell to see its distance in full and the bearing."));
    selected_distance_->setAccessibleName(tr("Selected distance"));
    selected_distance_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                                Qt::TextSelectableByKeyboard);
    selected_distance_->setWordWrap(true);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(kilometres_);
    layout->addWidget(distance_view_, 1);
    layout->addWidget(selected_distance_);
    // The frame's shortcut lands in the table itself; the switch above it comes next.
    setTabOrder(distance_view_, kilometres_);
    return frame;
}

QWidget* ClubWindow::BuildQuickDistanceFrame() {
    auto* frame = new QGroupBox(tr("&Quick distance"));
    const auto field = [this](const QString& name) {
        auto* line = new QLineEdit;
        line->setAccessibleName(name);
        line->setPlaceholderText(tr("e.g. 52 34 20.5 N"));
        connect(line, &QLineEdit::textChanged, this, &ClubWindow::WorkOutQuickDistance);
        return line;
    };
    from_latitude_ = field(tr("Race point latitude"));
    from_longitude_ = field(tr("Race point longitude"));
    to_latitude_ = field(tr("Loft latitude"));
    to_longitude_ = field(tr("Loft longitude"));
    from_longitude_->setPlaceholderText(tr("e.g. 1 18 48 E"));
    to_longitude_->setPlaceholderText(tr("e.g. 1 18 48 E"));
    // A position pasted whole into either field of a pair is shared out between the two at once;
    // one typed whole is shared out when the field is left. A character typed is never taken as
    // a paste: only a text grown by more than one character at once.
    for (auto [latitude, longitude] :
         {std::pair{from_latitude_, from_longitude_}, std::pair{to_latitude_, to_longitude_}}) {
        const auto share_out = [latitude, longitude](const QString& text) {
            const auto split = SplitPastedPosition(text);
            if (!split) return;
            latitude->setText(split->first);
            longitude->setText(split->second);
        };
        for (QLineEdit* coordinate : {latitude, longitude}) {
            auto length_before = std::make_shared<qsizetype>(0);
            connect(coordinate, &QLineEdit::textEdited, this,
                    [share_out, length_before](const QString& text) {
                        if (text.size() > *length_before + 1) share_out(text);
                    });
            connect(coordinate, &QLineEdit::textChanged, this,
                    [length_before](const QString& text) { *length_before = text.size(); });
            connect(coordinate, &QLineEdit::editingFinished, this,
                    [share_out, coordinate] { share_out(coordinate->text()); });
        }
    }
    quick_race_point_ = new QComboBox;
    quick_race_point_->setAccessibleName(tr("Race point to copy"));
    quick_loft_ = new QComboBox;
    quick_loft_->setAccessibleName(tr("Loft to copy"));
    connect(quick_race_point_, &QComboBox::activated, this,
            &ClubWindow::PickQuickRacePoint);
    connect(quick_loft_, &QComboBox::activated, this, &ClubWindow::PickQuickLoft);
    for (PlaceListModel* model : {lofts_, race_points_}) {
        connect(model, &QAbstractItemModel::modelReset, this,
                &ClubWindow::RefillQuickPickers);
        connect(model, &QAbstractItemModel::rowsInserted, this,
                &ClubWindow::RefillQuickPickers);
        connect(model, &QAbstractItemModel::rowsRemoved, this,
                &ClubWindow::RefillQuickPickers);
        connect(model, &QAbstractItemModel::dataChanged, this,
                &ClubWindow::RefillQuickPickers);
    }
    quick_result_ = new QLabel;
    quick_result_->setAccessibleName(tr("Quick distance"));
    quick_result_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                           Qt::TextSelectableByKeyboard);
    quick_result_->setWordWrap(true);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(tr("From")), 0, 0);
    grid->addWidget(from_latitude_, 0, 1);
    grid->addWidget(from_longitude_, 0, 2);
    grid->addWidget(quick_race_point_, 0, 3);
    grid->addWidget(new QLabel(tr("To")), 1, 0);
    grid->addWidget(to_latitude_, 1, 1);
    grid->addWidget(to_longitude_, 1, 2);
    grid->addWidget(quick_loft_, 1, 3);
    grid->addWidget(quick_result_, 2, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);
    RefillQuickPickers();
    WorkOutQuickDistance();
    return frame;
}

void ClubWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New club…"), QKeySequence::New, this, &ClubWindow::NewClub);
    file->addAction(tr("&Open club…"), QKeySequence::Open, this,
                    &ClubWindow::ChooseClubToOpen);
    recent_clubs_ = file->addMenu(tr("Open &recent club"));
    connect(recent_clubs_, &QMenu::aboutToShow, this, &ClubWindow::FillRecentClubs);
    file->addAction(tr("Save a &copy as…"), QKeySequence::SaveAs, this,
                    &ClubWindow::SaveCopyAs);
    file->addSeparator();
    file->addAction(tr("&Import lofts from CSV…"), this, &ClubWindow::ImportLofts);
    file->addAction(tr("Import race poin&ts from CSV…"), this,
                    &ClubWindow::ImportRacePoints);
    file->addAction(tr("&Export distances as CSV…"), this, &ClubWindow::ExportDistances);
    file->addSeparator();
    file->addAction(tr("&Print season sheet…"), QKeySequence::Print, this,
                    &ClubWindow::PrintSeasonSheet);
    file->addAction(tr("Print &member sheets…"), this, &ClubWindow::PrintMemberSheets);
    file->addAction(tr("Save season sheet as P&DF…"), this,
                    &ClubWindow::SaveSeasonSheetAsPdf);
    file->addAction(tr("Save member s&heets as PDF…"), this,
                    &ClubWindow::SaveMemberSheetsAsPdf);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    AddSortMenu(*view->addMenu(tr("Sort &lofts by")), *lofts_, *loft_view_);
    AddSortMenu(*view->addMenu(tr("Sort &race points by")), *race_points_, *race_point_view_);
    QAction* kilometres = view->addAction(tr("Distances in &kilometres"));
    kilometres->setCheckable(true);
    connect(kilometres, &QAction::toggled, kilometres_, &QCheckBox::setChecked);
    connect(kilometres_, &QCheckBox::toggled, kilometres, &QAction::setChecked);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* undo = undo_stack_.createUndoAction(this, tr("&Undo"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = undo_stack_.createRedoAction(this, tr("&Redo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    edit->addAction(tr("Add &loft"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), this,
                    &ClubWindow::AddLoft);
    edit->addAction(tr("Add race &point"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), this,
                    &ClubWindow::AddRacePoint);
}

void ClubWindow::AddSortMenu(QMenu& menu, const PlaceListModel& model, QTableView& view) {
    // The headers sort with a click; these sort from the keyboard, a second time the other way.
    for (int column = 0; column < model.columnCount(); ++column) {
        menu.addAction(model.ColumnTitle(column), this, [&view, column] {
            const QHeaderView& header = *view.horizontalHeader();
            const bool again = header.sortIndicatorSection() == column &&
                               header.sortIndicatorOrder() == Qt::AscendingOrder;
            view.sortByColumn(column, again ? Qt::DescendingOrder : Qt::AscendingOrder);
        });
    }
    menu.addSeparator();
    menu.addAction(tr("The order they were added"), this,
                   [&view] { view.sortByColumn(-1, Qt::AscendingOrder); });
}

void ClubWindow::OpenStartingClub(const QString& command_line_path) {
    if (!command_line_path.isEmpty()) {
        OpenClub(command_line_path);
        return;
    }
    const QStringList recent = ProgramSettings()->value(kRecentClubsKey).toStringList();
    if (!recent.isEmpty() && QFileInfo::exists(recent.first()) && OpenClub(recent.first())) return;
    // A first start: a club file in the user's data folder, so the program works at once.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(tr("My club") + "." + kClubSuffix);
    if (QFileInfo::exists(path)) {
        OpenClub(path);
        return;
    }
    club::Opening made = club::ClubFile::Create(FilePath(path));
    if (made.file) made.file.reset();
    OpenClub(path);
}

void ClubWindow::OpenStartingClubOnceShown(const QString& command_line_path) {
    starting_club_ = command_line_path;
}

bool ClubWindow::event(QEvent* event) {
    if (event->type() == QEvent::Paint && starting_club_) {
        // Queued: runs once this frame has been painted and handed to the screen.
        QTimer::singleShot(0, this, [this, path = *starting_club_] { OpenStartingClub(path); });
        starting_club_.reset();
    }
    return QMainWindow::event(event);
}

bool ClubWindow::OpenClub(const QString& path) {
    club::Opening opening = club::ClubFile::Open(FilePath(path));
    if (!opening.file) {
        QMessageBox::warning(this, tr("Open club"), QString::fromStdString(opening.problem));
        return false;
    }
    undo_stack_.clear();
    lofts_->ShowClub(nullptr);
    race_points_->ShowClub(nullptr);
    club_ = std::move(opening.file);
    lofts_->ShowClub(&*club_);
    race_points_->ShowClub(&*club_);
    setWindowTitle(tr("%1 – Club Secretary").arg(QFileInfo(path).completeBaseName()));
    setWindowFilePath(path);
    RememberClub(QFileInfo(path).absoluteFilePath());
    if (club_->ReadOnly()) {
        statusBar()->showMessage(
            tr("%1 is read-only: it can be read and printed, but no change can be written to it.")
                .arg(QDir::toNativeSeparators(path)));
        return true;
    }
    statusBar()->showMessage(tr("%1 lofts and %2 race points in %3.")
                                 .arg(lofts_->rowCount())
                                 .arg(race_points_->rowCount())
                                 .arg(QDir::toNativeSeparators(path)));
    return true;
}

QString ClubWindow::FolderForDialogs() const {
    if (club_)
        return QFileInfo(QString::fromStdU16String(club_->path().u16string())).absolutePath();
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void ClubWindow::NewClub() {
    const QString chosen =
        QFileDialog::getSaveFileName(this, tr("New club"), FolderForDialogs(), kClubFilter);
    if (chosen.isEmpty()) return;
    const QString path = WithClubSuffix(chosen);
    // The dialog has asked before replacing a file; a new club starts from an empty file.
    if (QFileInfo::exists(path) && !QFile::remove(path)) {
        QMessageBox::warning(this, tr("New club"), tr("%1 could not be replaced.").arg(path));
        return;
    }
    club::Opening made = club::ClubFile::Create(FilePath(path));
    if (!made.file) {
        QMessageBox::warning(this, tr("New club"), QString::fromStdString(made.problem));
        return;
    }
    made.file.reset();
    OpenClub(path);
}

void ClubWindow::ChooseClubToOpen() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open club"), FolderForDialogs(), kClubFilter);
    if (!path.isEmpty()) OpenClub(path);
}

void ClubWindow::SaveCopyAs() {
    if (!club_) return;
    const QString chosen =
        QFileDialog::getSaveFileName(this, tr("Save a copy as"), FolderForDialogs(), kClubFilter);
    if (chosen.isEmpty()) return;
    const QString path = WithClubSuffix(chosen);
    if (const club::WriteProblem problem = club_->SaveCopy(FilePath(path))) {
        QMessageBox::warning(this, tr("Save a copy"), QString::fromStdString(*problem));
        return;
    }
    statusBar()->showMessage(
        tr("A copy of the club saved as %1.").arg(QDir::toNativeSeparators(path)));
}

void ClubWindow::RememberClub(const QString& path) {
    const std::unique_ptr<QSettings> settings = ProgramSettings();
    QStringList recent = settings->value(kRecentClubsKey).toStringList();
    // Most starts open the club used last: the settings file is then left as it is, unwritten.
    if (!recent.isEmpty() && recent.first() == path) return;
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentClubsKept) recent.removeLast();
    settings->setValue(kRecentClubsKey, recent);
}

void ClubWindow::FillRecentClubs() {
    recent_clubs_->clear();
    const QStringList recent = ProgramSettings()->value(kRecentClubsKey).toStringList();
    int number = 1;
    for (const QString& path : recent) {
        const QString text =
            QStringLiteral("&%1 %2").arg(number++).arg(QDir::toNativeSeparators(path));
        recent_clubs_->addAction(text, this, [this, path] { OpenClub(path); });
    }
    if (recent.isEmpty()) recent_clubs_->addAction(tr("No club opened yet"))->setEnabled(false);
}

void ClubWindow::AddRow(PlaceListModel& model, QTableView& view) {
    if (!club_) return;
    const std::size_t columns = club::ColumnNames(model.list()).size();
    std::vector<club::Row> rows{club::Row{.id = 0, .cells = std::vector<std::string>(columns)}};
    const int before = model.rowCount();
    undo_stack_.push(
        new AddRowsCommand(model, std::move(rows), tr("Add %1").arg(model.ItemName())));
    if (model.rowCount() == before) return;
    // The new row is the last one added; its first cell is ready for typing.
    const auto* proxy = static_cast<const QSortFilterProxyModel*>(view.model());
    const QModelIndex cell = proxy->mapFromSource(model.index(model.rowCount() - 1, 0));
    view.setFocus();
    view.setCurrentIndex(cell);
    view.edit(cell);
}

void ClubWindow::AddLoft() {
    AddRow(*lofts_, *loft_view_);
}
void ClubWindow::AddRacePoint() {
    AddRow(*race_points_, *race_point_view_);
}

void ClubWindow::DeleteSelectedRows(PlaceListModel& model, QSortFilterProxyModel& proxy,
                                             QTableView& view) {
    std::vector<int> source_rows;
    for (const QModelIndex& index : view.selectionModel()->selectedRows()) {
        source_rows.push_back(proxy.mapToSource(index).row());
    }
    if (source_rows.empty() && view.currentIndex().isValid()) {
        source_rows.push_back(proxy.mapToSource(view.currentIndex()).row());
    }
    if (source_rows.empty()) return;
    std::sort(source_rows.begin(), source_rows.end());
    std::vector<club::Row> rows;
    for (const int row : source_rows) rows.push_back(model.TextsAt(row));
    const QString text =
        rows.size() == 1 ? tr("Delete %1 %2").arg(model.ItemName(), model.NameAt(source_rows[0]))
                         : tr("Delete %1 %2").arg(rows.size()).arg(model.ItemName(rows.size()));
    undo_stack_.push(new DeleteRowsCommand(model, std::move(rows), text));
}

void ClubWindow::DeleteSelectedLofts() {
    DeleteSelectedRows(*lofts_, *loft_order_, *loft_view_);
}
void ClubWindow::DeleteSelectedRacePoints() {
    DeleteSelectedRows(*race_points_, *race_point_order_, *race_point_view_);
}

void ClubWindow::ShowCellProblem(const QModelIndex& index) {
    const QString problem = index.isValid() && index.data(Qt::BackgroundRole).isValid()
                                ? index.data(Qt::ToolTipRole).toString()
                                : QString();
    if (problem.isEmpty()) {
        statusBar()->clearMessage();
    } else {
        statusBar()->showMessage(problem);
    }
}

void ClubWindow::ShowInKilometres(bool kilometres) {
    distances_->ShowKilometres(kilometres);
    // Fixed widths for the longest figure: fitting the columns to their contents would work out
    // every distance in the table.
    const QString widest =
        kilometres ? QStringLiteral("8888.888 km") : QStringLiteral("1888 miles 1888 yards");
    const int width = distance_view_->fontMetrics().horizontalAdvance(widest) + kCellPadding;
    distance_view_->horizontalHeader()->setDefaultSectionSize(width);
    for (int column = 0; column < distances_->columnCount(); ++column) {
        distance_view_->horizontalHeader()->resizeSection(column, width);
    }
}

void ClubWindow::ShowSelectedDistance() {
    const QModelIndex current = distance_view_->currentIndex();
    if (!current.isValid()) {
        selected_distance_->setText(
            tr("Select a cell to see its distance in full and the bearing."));
        return;
    }
    selected_distance_->setText(distances_->Description(current));
}

void ClubWindow::CopySelectedDistances() {
    QModelIndexList cells = distance_view_->selectionModel()->selectedIndexes();
    if (cells.isEmpty() && distance_view_->currentIndex().isValid()) {
        cells.append(distance_view_->currentIndex());
    }
    if (cells.isEmpty()) return;
    // The rectangle around the selection, one line a loft and a tab between race points, as
    // spreadsheets paste it; a cell inside it but not selected is left empty, keeping the columns.
    int top = cells.first().row(), bottom = top, left = cells.first().column(), right = left;
    for (const QModelIndex& cell : cells) {
        top = std::min(top, cell.row());
        bottom = std::max(bottom, cell.row());
        left = std::min(left, cell.column());
        right = std::max(right, cell.column());
    }
    QList<QStringList> rows(bottom - top + 1, QStringList(right - left + 1));
    for (const QModelIndex& cell : cells) {
        rows[cell.row() - top][cell.column() - left] = cell.data().toString();
    }
    QString text;
    for (const QStringList& row : rows) text += row.join('\t') + '\n';
    QApplication::clipboard()->setText(text);
}

void ClubWindow::RefillQuickPickers() {
    const auto fill = [](QComboBox& box, const PlaceListModel& model, const QString& prompt) {
        box.clear();
        box.addItem(prompt);
        for (int row = 0; row < model.rowCount(); ++row) box.addItem(model.NameAt(row));
    };
    fill(*quick_race_point_, *race_points_, tr("Copy a race point…"));
    fill(*quick_loft_, *lofts_, tr("Copy a loft…"));
}

void ClubWindow::PickQuickRacePoint(int index) {
    if (index < 1 || index > race_points_->rowCount()) return;
    const club::Row& texts = race_points_->TextsAt(index - 1);
    from_latitude_->setText(QString::fromStdString(texts.cells.at(1)));
    from_longitude_->setText(QString::fromStdString(texts.cells.at(2)));
}

void ClubWindow::PickQuickLoft(int index) {
    if (index < 1 || index > lofts_->rowCount()) return;
    const club::Row& texts = lofts_->TextsAt(index - 1);
    to_latitude_->setText(QString::fromStdString(texts.cells.at(2)));
    to_longitude_->setText(QString::fromStdString(texts.cells.at(3)));
}

void ClubWindow::WorkOutQuickDistance() {
    const auto read = [](const QLineEdit& field, distance::Axis axis) {
        return distance::ReadAngle(field.text().toStdString(), axis);
    };
    const distance::AngleReading readings[] = {read(*from_latitude_, distance::Axis::Latitude),
                                               read(*from_longitude_, distance::Axis::Longitude),
                                               read(*to_latitude_, distance::Axis::Latitude),
                                               read(*to_longitude_, distance::Axis::Longitude)};
    for (const distance::AngleReading& reading : readings) {
        if (reading.ok()) continue;
        quick_result_->setText(
            reading.error->problem == distance::CoordinateProblem::Empty
                ? tr("Type or paste the two positions.")
                : QString::fromStdString(distance::CoordinateMessage(*reading.error)));
        return;
    }
    const distance::RaceDistance result = distance::DistanceToLoft(
        {readings[0].degrees, readings[1].degrees}, {readings[2].degrees, readings[3].degrees});
    quick_result_->setText(QString::fromStdString(distance::DistanceText(result)));
}

void ClubWindow::ReadChangesMadeElsewhere() {
    // Reading the lists in again would close a cell being typed in; they are read once it is left.
    const QWidget* focused = QApplication::focusWidget();
    for (const QTableView* view : {loft_view_, race_point_view_}) {
        if (focused != nullptr && focused != view && view->isAncestorOf(focused)) return;
    }
    if (!club_ || !club_->ChangedElsewhere()) return;
    lofts_->ShowClub(&*club_);
    race_points_->ShowClub(&*club_);
    statusBar()->showMessage(tr("Changes made to the club in another window have been read in."));
}

void ClubWindow::ReportWriteProblem(const QString& message) {
    statusBar()->showMessage(message);
    QMessageBox::warning(this, tr("Not written"), message);
}

void ClubWindow::ImportLofts() {
    Import(*lofts_);
}
void ClubWindow::ImportRacePoints() {
    Import(*race_points_);
}

void ClubWindow::Import(PlaceListModel& model) {
    if (!club_) return;
    const QString items = model.ItemName(2);
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Import %1").arg(items), FolderForDialogs(),
                                     tr("Spreadsheet files (*.csv *.txt);;All files (*)"));
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(this, tr("Import"), tr("%1 could not be read.").arg(path));
        return;
    }
    const QByteArray contents = file.readAll();
    const ImportPlan plan =
        PlanImport(model, distance::ReadPlaces(std::string_view(
                              contents.data(), static_cast<std::size_t>(contents.size()))));
    ImportPreviewDialog preview(plan, QFileInfo(path).fileName(), items, this);
    if (preview.exec() != QDialog::Accepted || plan.rows_to_add.empty()) return;
    undo_stack_.push(new AddRowsCommand(model, plan.rows_to_add,
                                        tr("Import %1 %2")
                                            .arg(plan.rows_to_add.size())
                                            .arg(model.ItemName(plan.rows_to_add.size()))));
}

void ClubWindow::ExportDistances() {
    const QString chosen = QFileDialog::getSaveFileName(
        this, tr("Export distances"), FolderForDialogs(), tr("Spreadsheet files (*.csv)"));
    if (chosen.isEmpty()) return;
    const std::vector<distance::Place> lofts = distances_->Lofts();
    const std::vector<distance::Place> race_points = distances_->RacePoints();
    const std::string csv = distance::DistanceCsv(distance::DistanceTable(lofts, race_points));
    // A spreadsheet never gets a distance worked out from a mistyped coordinate.
    const auto left_off = static_cast<std::size_t>(lofts_->rowCount() + race_points_->rowCount()) -
                          lofts.size() - race_points.size();
    QSaveFile file(chosen);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) !=
            static_cast<qint64>(csv.size()) ||
        !file.commit()) {
        QMessageBox::warning(this, tr("Export distances"),
                             tr("%1 could not be written: %2").arg(chosen, file.errorString()));
        return;
    }
    statusBar()->showMessage(
        left_off == 0 ? tr("Distances exported to %1.").arg(QDir::toNativeSeparators(chosen))
                      : tr("Distances exported to %1; left out: %2.")
                            .arg(QDir::toNativeSeparators(chosen), RowsToMend(left_off)));
}

QString ClubWindow::ClubName() const {
    if (!club_) return {};
    return QFileInfo(QString::fromStdU16String(club_->path().u16string())).completeBaseName();
}

sheets::ClubSheets ClubWindow::SheetsOfClub() {
    sheets::ClubSheets club{.club = ClubName(), .lofts = {}, .race_points = {}};
    std::size_t left_off = 0;
    for (int row = 0; row < lofts_->rowCount(); ++row) {
        const std::optional<distance::Position> position = lofts_->PositionAt(row);
        const club::Row& texts = lofts_->TextsAt(row);
        if (position) {
            club.lofts.push_back({.member = QString::fromStdString(texts.cells.at(0)),
                                  .loft = QString::fromStdString(texts.cells.at(1)),
                                  .position = *position});
        } else {
            ++left_off;
        }
    }
    for (int row = 0; row < race_points_->rowCount(); ++row) {
        const std::optional<distance::Position> position = race_points_->PositionAt(row);
        if (position) {
            club.race_points.push_back({.name = race_points_->NameAt(row), .position = *position});
        } else {
            ++left_off;
        }
    }
    // A sheet never shows a distance worked out from a mistyped coordinate.
    if (left_off > 0) {
        statusBar()->showMessage(tr("Left off the sheets: %1.").arg(RowsToMend(left_off)));
    }
    return club;
}

void ClubWindow::PreviewSheets(SheetPrinter print, const QString& title) {
    const sheets::ClubSheets club = SheetsOfClub();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(title);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&club, print](QPrinter* target) { print(club, *target); });
    preview.exec();
}

void ClubWindow::SaveSheetsAsPdf(SheetPrinter print, const QString& title,
                                          const QString& file_name) {
    const QString chosen = QFileDialog::getSaveFileName(
        this, title, QDir(FolderForDialogs()).filePath(file_name), tr("PDF files (*.pdf)"));
    if (chosen.isEmpty()) return;
    const sheets::ClubSheets club = SheetsOfClub();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(chosen);
    printer.setDocName(title);
    print(club, printer);
    statusBar()->showMessage(tr("Saved %1.").arg(QDir::toNativeSeparators(chosen)));
}

void ClubWindow::PrintSeasonSheet() {
    PreviewSheets(&sheets::PrintSeasonSheet, tr("Season sheet of %1").arg(ClubName()));
}

void ClubWindow::PrintMemberSheets() {
    PreviewSheets(&sheets::PrintMemberSheets, tr("Member sheets of %1").arg(ClubName()));
}

void ClubWindow::SaveSeasonSheetAsPdf() {
    SaveSheetsAsPdf(&sheets::PrintSeasonSheet, tr("Save season sheet as PDF"),
                    tr("%1 season sheet.pdf").arg(ClubName()));
}

void ClubWindow::SaveMemberSheetsAsPdf() {
    SaveSheetsAsPdf(&sheets::PrintMemberSheets, tr("Save member sheets as PDF"),
                    tr("%1 member sheets.pdf").arg(ClubName()));
}

}  // namespace club_ui
