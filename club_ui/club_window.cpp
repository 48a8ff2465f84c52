#include "club_ui/club_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "club_ui/distance_pane.h"
#include "club_ui/import_preview.h"
#include "club_ui/list_pane.h"
#include "club_ui/quick_distance_pane.h"
#include "club_ui/race_pane.h"
#include "club_ui/recent_clubs.h"

namespace club_ui {
namespace {

QString ClubFilter() {
    return ClubWindow::tr("Club files (*.club)");
}

QString WithClubSuffix(QString path) {
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".club");
    return path;
}

// What the sheets or the export leave off until mended, said after they are printed or saved.
QString LeftOffSentence(const std::vector<sheets::LeftOff>& lofts,
                        const std::vector<sheets::LeftOff>& race_points) {
    QStringList names;
    for (const auto* left_off : {&lofts, &race_points}) {
        for (const sheets::LeftOff& place : *left_off) {
            names << ClubWindow::tr("%1 (%2)").arg(place.name, place.reason);
        }
    }
    if (names.isEmpty()) return {};
    return ClubWindow::tr("Left off: %1.").arg(names.join(QStringLiteral("; ")));
}

// The print preview's own buttons take no focus, and Ctrl+P does nothing in it: a Print and a
// Close button below the pages, reached by Tab, with Ctrl+P and Escape, so that printing needs no
// mouse.
void ReachFromTheKeyboard(QPrintPreviewDialog& preview) {
    const QString print_text = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    QAction* print = nullptr;
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() == print_text) print = action;
    }
    if (print == nullptr || preview.layout() == nullptr) return;
    print->setShortcut(QKeySequence::Print);
    print->setShortcutContext(Qt::WindowShortcut);
    auto* buttons = new QDialogButtonBox(&preview);
    QPushButton* print_button =
        buttons->addButton(ClubWindow::tr("&Print…"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Close);
    QObject::connect(print_button, &QPushButton::clicked, print, &QAction::trigger);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &preview, &QDialog::reject);
    preview.layout()->addWidget(buttons);
    print_button->setDefault(true);
}

// Where the window and each of its splitters were left when the program was last closed, kept
// in the program's settings under the splitter's own name.
QString LayoutKey(const QString& part) {
    return QStringLiteral("layout/") + part;
}

QString WindowLayoutKey() {
    return LayoutKey(QStringLiteral("window"));
}

// The splitters whose places are kept: only those with a name of their own, kept under it.
QList<QSplitter*> KeptSplitters(const QWidget& root) {
    QList<QSplitter*> kept = root.findChildren<QSplitter*>();
    kept.removeIf([](const QSplitter* splitter) { return splitter->objectName().isEmpty(); });
    return kept;
}

void RestoreSplitters(const QWidget& root, const QSettings& settings) {
    for (QSplitter* splitter : KeptSplitters(root)) {
        const QByteArray state = settings.value(LayoutKey(splitter->objectName())).toByteArray();
        if (!state.isEmpty()) splitter->restoreState(state);
    }
}

void SaveLayout(const QWidget& window, QSettings& settings) {
    settings.setValue(WindowLayoutKey(), window.saveGeometry());
    for (const QSplitter* splitter : KeptSplitters(window)) {
        settings.setValue(LayoutKey(splitter->objectName()), splitter->saveState());
    }
}

}  // namespace

ClubWindow::ClubWindow(QWidget* parent)
    : QMainWindow(parent),
      lofts_(new ListPane(document_.lofts())),
      race_points_(new ListPane(document_.racePoints())),
      distances_(new DistancePane(document_.distances())),
      race_(nullptr),
      pages_(new QTabWidget),
      read_only_bar_(new QLabel) {
    auto* lists = new QSplitter(Qt::Vertical);
    lists->setObjectName(QStringLiteral("lofts-and-race-points"));
    lists->addWidget(lofts_);
    lists->addWidget(race_points_);
    auto* right = new QWidget;
    auto* right_layout = new QVBoxLayout(right);
    right_layout->setContentsMargins(0, 0, 0, 0);
    right_layout->addWidget(distances_, 1);
    right_layout->addWidget(new QuickDistancePane(document_.lofts(), document_.racePoints()));
    auto* halves = new QSplitter(Qt::Horizontal);
    halves->setObjectName(QStringLiteral("places-and-distances"));
    halves->addWidget(lists);
    halves->addWidget(right);
    halves->setStretchFactor(0, 2);
    halves->setStretchFactor(1, 3);
    halves->setSizes({520, 680});
    // A bar across the top while the club cannot be written: its cells are then read-only too.
    read_only_bar_->setAccessibleName(tr("Club cannot be changed"));
    read_only_bar_->setWordWrap(true);
    read_only_bar_->setAutoFillBackground(true);
    read_only_bar_->setStyleSheet(
        QStringLiteral("QLabel { background: #fff3be; color: black; padding: 6px; }"));
    read_only_bar_->hide();
    auto* central = new QWidget;
    auto* central_layout = new QVBoxLayout(central);
    central_layout->setContentsMargins(0, 0, 0, 0);
    central_layout->addWidget(read_only_bar_);
    // The club's places on one page; race night, its races, clocks, birds and result, on another.
    pages_->addTab(halves, tr("Lofts and race points"));
    // Race night is built when it is first shown: the window comes up without it.
    pages_->addTab(new QWidget, tr("Race night"));
    pages_->setDocumentMode(true);
    // What the status bar said of one page's cell is not about the other's.
    connect(pages_, &QTabWidget::currentChanged, statusBar(), &QStatusBar::clearMessage);
    connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 1) RaceNight();
    });
    central_layout->addWidget(pages_, 1);
    setCentralWidget(central);
    BuildMenus();
    for (ListPane* pane : {lofts_, race_points_}) {
        connect(pane, &ListPane::CellProblemShown, this, &ClubWindow::ShowStatus);
    }
    connect(&document_, &ClubDocument::ProblemReported, this,
            [this](const club::ClubProblem& problem) {
                ShowProblem(QString::fromStdString(club::ProblemMessage(problem)));
            });
    connect(&document_, &ClubDocument::Notice, statusBar(),
            [this](const QString& notice) { statusBar()->showMessage(notice); });
    connect(&document_, &ClubDocument::Opened, this, &ClubWindow::ShowClubOpened);
    statusBar()->showMessage(tr("Every change is written to the club file as it is made."));
    resize(1200, 760);
    // As the user left it: the size and place, maximized or not, and the splitters.
    const std::unique_ptr<QSettings> settings = ProgramSettings();
    restoreGeometry(settings->value(WindowLayoutKey()).toByteArray());
    RestoreSplitters(*this, *settings);
}

void ClubWindow::ShowStatus(const QString& problem) {
    if (problem.isEmpty()) {
        statusBar()->clearMessage();
    } else {
        statusBar()->showMessage(problem);
    }
}

void ClubWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New club…"), QKeySequence::New, this, &ClubWindow::NewClub);
    file->addAction(tr("&Open club…"), QKeySequence::Open, this, &ClubWindow::ChooseClubToOpen);
    auto* recent = new RecentClubs(*file->addMenu(tr("Open &recent club")));
    connect(recent, &RecentClubs::ClubChosen, this, &ClubWindow::OpenClub);
    file->addAction(tr("Save a &copy as…"), QKeySequence::SaveAs, this, &ClubWindow::SaveCopyAs);
    file->addSeparator();
    file->addAction(tr("&Import lofts from CSV…"), this, &ClubWindow::Import<club::Loft>);
    file->addAction(tr("Import race poin&ts from CSV…"), this,
                    &ClubWindow::Import<club::RacePoint>);
    file->addAction(tr("Import &birds clocked from CSV…"), this, &ClubWindow::ImportReturn);
    file->addAction(tr("&Export distances as CSV…"), this, &ClubWindow::ExportDistances);
    file->addAction(tr("E&xport race result as CSV…"), this, &ClubWindow::ExportResult);
    file->addAction(tr("Save race result as &web page…"), this, &ClubWindow::SaveResultAsWebPage);
    file->addSeparator();
    file->addAction(tr("&Print season sheet…"), QKeySequence::Print, this,
                    &ClubWindow::PrintSeasonSheet);
    file->addAction(tr("Print &member sheets…"), this, &ClubWindow::PrintMemberSheets);
    file->addAction(tr("Save season sheet as P&DF…"), this, &ClubWindow::SaveSeasonSheetAsPdf);
    file->addAction(tr("Save member s&heets as PDF…"), this, &ClubWindow::SaveMemberSheetsAsPdf);
    file->addAction(tr("Print race res&ult…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U), this,
                    &ClubWindow::PrintRaceResult);
    file->addAction(tr("Save race result as PD&F…"), this, &ClubWindow::SaveRaceResultAsPdf);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* undo = document_.undoStack().createUndoAction(this, tr("&Undo"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = document_.undoStack().createRedoAction(this, tr("&Redo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    edit->addAction(tr("Add &loft"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), lofts_,
                    &ListPane::AddRow);
    edit->addAction(tr("Add race &point"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
                    race_points_, &ListPane::AddRow);
    edit->addSeparator();
    // Each takes the user to race night, where the new row is typed into.
    const auto on_race_night = [this](ListPane& (RacePane::*pane)()) {
        return [this, pane] {
            ShowRacePage();
            (RaceNight().*pane)().AddRow();
        };
    };
    edit->addAction(tr("Add &race"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), this,
                    on_race_night(&RacePane::races));
    edit->addAction(tr("Add &clock"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K), this,
                    on_race_night(&RacePane::clocks));
    edit->addAction(tr("Add &bird"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B), this,
                    on_race_night(&RacePane::birds));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addAction(tr("&Lofts and race points"), QKeySequence(Qt::CTRL | Qt::Key_1), this,
                    &ClubWindow::ShowClubPage);
    view->addAction(tr("Race &night"), QKeySequence(Qt::CTRL | Qt::Key_2), this,
                    &ClubWindow::ShowRacePage);
    view->addSeparator();
    lofts_->AddSortActions(*view->addMenu(tr("Sort &lofts by")));
    race_points_->AddSortActions(*view->addMenu(tr("Sort &race points by")));
    QAction* kilometres = view->addAction(tr("Distances in &kilometres"));
    kilometres->setCheckable(true);
    QCheckBox& kilometres_switch = distances_->kilometresSwitch();
    connect(kilometres, &QAction::toggled, &kilometres_switch, &QCheckBox::setChecked);
    connect(&kilometres_switch, &QCheckBox::toggled, kilometres, &QAction::setChecked);
    view->addSeparator();
    BuildResultOptions(*view);
}

void ClubWindow::BuildResultOptions(QMenu& view) {
    // How the club shows its velocities: kept between sessions, and written only when changed.
    QAction* metres = view.addAction(tr("Velocities in &metres per minute"));
    metres->setObjectName(QStringLiteral("metres-per-minute"));
    metres->setCheckable(true);
    QAction* four = view.addAction(tr("Velocities to &four decimals"));
    four->setObjectName(QStringLiteral("four-decimals"));
    four->setCheckable(true);
    {
        const std::unique_ptr<QSettings> settings = ProgramSettings();
        metres->setChecked(settings->value(QStringLiteral("result/metres"), false).toBool());
        four->setChecked(settings->value(QStringLiteral("result/decimals"), 3).toInt() == 4);
    }
    const auto apply = [this, metres, four] {
        results::ResultOptions options = document_.result().options();
        options.unit = metres->isChecked() ? results::VelocityUnit::MetresPerMinute
                                           : results::VelocityUnit::YardsPerMinute;
        options.decimals = four->isChecked() ? 4 : 3;
        document_.SetResultOptions(options);
        return options;
    };
    const auto apply_and_keep = [apply, metres] {
        const results::ResultOptions options = apply();
        const std::unique_ptr<QSettings> kept = ProgramSettings();
        kept->setValue(QStringLiteral("result/metres"), metres->isChecked());
        kept->setValue(QStringLiteral("result/decimals"), options.decimals);
    };
    connect(metres, &QAction::toggled, this, apply_and_keep);
    connect(four, &QAction::toggled, this, apply_and_keep);
    apply();
}

RacePane& ClubWindow::RaceNight() {
    if (race_ == nullptr) {
        race_ = new RacePane(document_);
        RestoreSplitters(*race_, *ProgramSettings());
        connect(race_, &RacePane::CellProblemShown, this, &ClubWindow::ShowStatus);
        const bool shown = pages_->currentIndex() == 1;
        const QSignalBlocker quiet(pages_);
        QWidget* placeholder = pages_->widget(1);
        pages_->removeTab(1);
        pages_->insertTab(1, race_, tr("Race night"));
        delete placeholder;
        if (shown) pages_->setCurrentIndex(1);
    }
    return *race_;
}

void ClubWindow::ShowClubPage() {
    pages_->setCurrentIndex(0);
}

void ClubWindow::ShowRacePage() {
    pages_->setCurrentIndex(1);
}

void ClubWindow::OpenStartingClub(const QString& command_line_path) {
    if (!command_line_path.isEmpty()) {
        OpenClub(command_line_path);
        return;
    }
    const QStringList recent = RecentClubs::List();
    if (!recent.isEmpty() && QFileInfo::exists(recent.first()) && document_.Open(recent.first())) {
        return;
    }
    // A first start: a club file in the user's data folder, so the program works at once.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(tr("My club") + QStringLiteral(".club"));
    if (QFileInfo::exists(path)) {
        document_.Open(path);
    } else {
        document_.Create(path);
    }
}

void ClubWindow::OpenStartingClubOnceShown(const QString& command_line_path) {
    starting_club_ = command_line_path;
}

void ClubWindow::closeEvent(QCloseEvent* event) {
    // A clock or bird begun and left with nothing typed in it is not kept in the club, as Escape
    // would not have kept it. What is being typed in a cell is written first.
    if (QWidget* typing = QApplication::focusWidget()) typing->clearFocus();
    if (race_) {
        race_->clocks().TakeBackRowBegun();
        race_->birds().TakeBackRowBegun();
    }
    // Race night's splitters are kept as they were if its page was not built this time.
    SaveLayout(*this, *ProgramSettings());
    QMainWindow::closeEvent(event);
}

bool ClubWindow::event(QEvent* event) {
    if (event->type() == QEvent::Paint && starting_club_) {
        // Queued: runs once this frame has been painted and handed to the screen.
        QTimer::singleShot(0, this, [this, path = *starting_club_] { OpenStartingClub(path); });
        starting_club_.reset();
    }
    return QMainWindow::event(event);
}

void ClubWindow::OpenClub(const QString& path) {
    document_.Open(path);
}

void ClubWindow::ShowClubOpened() {
    setWindowTitle(tr("%1 – Club Secretary").arg(document_.Name()));
    setWindowFilePath(document_.Path());
    RecentClubs::Remember(QFileInfo(document_.Path()).absoluteFilePath());
    const std::optional<club::Problem> read_only = document_.WhyReadOnly();
    read_only_bar_->setVisible(read_only.has_value());
    if (read_only) {
        read_only_bar_->setText(
            tr("This club can be read and printed, but not changed: %1")
                .arg(QString::fromStdString(club::ProblemMessage({*read_only}))));
    }
}

void ClubWindow::ShowProblem(const QString& message) {
    statusBar()->showMessage(message);
    QMessageBox::warning(this, tr("Not done"), message);
}

QString ClubWindow::FolderForDialogs() const {
    if (document_.IsOpen()) return QFileInfo(document_.Path()).absolutePath();
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void ClubWindow::NewClub() {
    const QString chosen =
        QFileDialog::getSaveFileName(this, tr("New club"), FolderForDialogs(), ClubFilter());
    if (chosen.isEmpty()) return;
    const QString path = WithClubSuffix(chosen);
    // The dialog has asked before replacing a file; a new club starts from an empty file.
    if (QFileInfo::exists(path) && !QFile::remove(path)) {
        ShowProblem(tr("%1 could not be replaced.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    document_.Create(path);
}

void ClubWindow::ChooseClubToOpen() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open club"), FolderForDialogs(), ClubFilter());
    if (!path.isEmpty()) OpenClub(path);
}

void ClubWindow::SaveCopyAs() {
    if (!document_.IsOpen()) return;
    const QString chosen =
        QFileDialog::getSaveFileName(this, tr("Save a copy as"), FolderForDialogs(), ClubFilter());
    if (!chosen.isEmpty()) document_.SaveCopy(WithClubSuffix(chosen));
}

template <typename Record>
void ClubWindow::Import() {
    if (!document_.IsOpen()) return;
    PlaceList<Record>& list = document_.ListOf<Record>();
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Import %1").arg(list.texts().items), FolderForDialogs(),
        tr("Spreadsheet files (*.csv *.txt);;All files (*)"));
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowProblem(tr("%1 could not be read.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const QByteArray contents = file.readAll();
    const ImportPlan<Record> plan =
        PlanImport(list, club::ReadImport<Record>(std::string_view(
                             contents.data(), static_cast<std::size_t>(contents.size()))));
    ImportPreviewDialog preview(plan, QFileInfo(path).fileName(), list.texts().items, this);
    if (preview.exec() != QDialog::Accepted) return;
    document_.Import(plan.rows_to_add, plan.changes,
                     tr("Import %n row(s)", nullptr, plan.to_add + plan.to_change));
}

void ClubWindow::ImportReturn() {
    const std::optional<club::Race> race = document_.OpenRaceRecord();
    if (!race) {
        ShowProblem(tr("Pick a race on race night first: the return is taken into it."));
        return;
    }
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Import a race's return"), FolderForDialogs(),
                                     tr("Spreadsheet files (*.csv *.txt);;All files (*)"));
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowProblem(tr("%1 could not be read.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const QByteArray contents = file.readAll();
    const ReturnImportPlan plan =
        PlanReturnImport(document_.lofts(), document_.clocks(), document_.clockings(), race->id,
                         results::ReadReturn(std::string_view(
                             contents.data(), static_cast<std::size_t>(contents.size()))));
    ImportPreviewDialog preview(plan, QFileInfo(path).fileName(), tr("birds"), this);
    if (preview.exec() != QDialog::Accepted) return;
    ShowRacePage();
    document_.ImportReturn(plan.clocks_to_add, plan.clockings_to_add,
                           tr("Import %n row(s)", nullptr, plan.to_add));
}

void ClubWindow::ExportDistances() {
    // The form the user's own spreadsheet reads first: semicolons and decimal commas where the
    // regional settings write a decimal comma; the other form a choice away.
    const QString commas = tr("Spreadsheet, commas and decimal points (*.csv)");
    const QString semicolons = tr("Spreadsheet, semicolons and decimal commas (*.csv)");
    QString form = QLocale().decimalPoint() == QStringLiteral(",") ? semicolons : commas;
    const QString chosen = QFileDialog::getSaveFileName(
        this, tr("Export distances"), FolderForDialogs(),
        form == semicolons ? semicolons + QStringLiteral(";;") + commas
                           : commas + QStringLiteral(";;") + semicolons,
        &form);
    if (chosen.isEmpty()) return;
    const QByteArray csv = document_.DistanceCsv(form == semicolons ? club::kSemicolonsAndCommas
                                                                    : club::kCommasAndPoints);
    QSaveFile file(chosen);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
        ShowProblem(tr("%1 could not be written: %2")
                        .arg(QDir::toNativeSeparators(chosen), file.errorString()));
        return;
    }
    // A spreadsheet never gets a distance worked out from a mistyped coordinate.
    const ClubPlaces places = document_.Places();
    const QString left_off = LeftOffSentence(places.lofts_left_off, places.race_points_left_off);
    statusBar()->showMessage(tr("Distances exported to %1.").arg(QDir::toNativeSeparators(chosen)) +
                             (left_off.isEmpty() ? QString() : QStringLiteral(" ") + left_off));
}

bool ClubWindow::WriteWhole(const QString& path, const QByteArray& contents) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() ||
        !file.commit()) {
        ShowProblem(tr("%1 could not be written: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    statusBar()->showMessage(tr("Saved %1.").arg(QDir::toNativeSeparators(path)));
    return true;
}

void ClubWindow::SaveResultAs(const QString& title, const QString& suffix, const QString& filter,
                              QByteArray (ClubDocument::*contents)() const) {
    const std::optional<club::Race> race = document_.OpenRaceRecord();
    if (!race) {
        ShowProblem(tr("Pick a race on race night first."));
        return;
    }
    const QString chosen = QFileDialog::getSaveFileName(
        this, title, QDir(FolderForDialogs()).filePath(QString::fromStdString(race->name) + suffix),
        filter);
    if (!chosen.isEmpty()) WriteWhole(chosen, (document_.*contents)());
}

void ClubWindow::ExportResult() {
    SaveResultAs(tr("Export race result"), QStringLiteral(".csv"), tr("Spreadsheet (*.csv)"),
                 &ClubDocument::ResultCsv);
}

void ClubWindow::SaveResultAsWebPage() {
    SaveResultAs(tr("Save race result as web page"), QStringLiteral(".html"),
                 tr("Web pages (*.html *.htm)"), &ClubDocument::ResultHtml);
}

bool ClubWindow::Preview(const Printing& print, const QString& title) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(title);
    ReachFromTheKeyboard(preview);
    bool printed = true;
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&printed, &print](QPrinter* target) { printed = print(*target); });
    preview.exec();
    if (!printed) ShowProblem(tr("The printer could not begin; nothing was printed."));
    return printed;
}

bool ClubWindow::SaveAsPdf(const Printing& print, const QString& title,
                           const QString& document_title, const QString& file_name) {
    const QString chosen = QFileDialog::getSaveFileName(
        this, title, QDir(FolderForDialogs()).filePath(file_name), tr("PDF files (*.pdf)"));
    if (chosen.isEmpty()) return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(chosen);
    printer.setDocName(document_title);
    if (!print(printer)) {
        ShowProblem(tr("%1 could not be written.").arg(QDir::toNativeSeparators(chosen)));
        return false;
    }
    statusBar()->showMessage(tr("Saved %1.").arg(QDir::toNativeSeparators(chosen)));
    return true;
}

void ClubWindow::PreviewSheets(SheetPrinter print, const QString& title) {
    const sheets::ClubSheets club = document_.Sheets();
    if (!Preview([&club, print](QPrinter& printer) { return print(club, printer); }, title)) {
        return;
    }
    if (const QString left_off = LeftOffSentence(club.lofts_left_off, club.race_points_left_off);
        !left_off.isEmpty()) {
        statusBar()->showMessage(left_off);
    }
}

void ClubWindow::SaveSheetsAsPdf(SheetPrinter print, const QString& title,
                                 const QString& document_title, const QString& file_name) {
    const sheets::ClubSheets club = document_.Sheets();
    if (!SaveAsPdf([&club, print](QPrinter& printer) { return print(club, printer); }, title,
                   document_title, file_name)) {
        return;
    }
    if (const QString left_off = LeftOffSentence(club.lofts_left_off, club.race_points_left_off);
        !left_off.isEmpty()) {
        statusBar()->showMessage(statusBar()->currentMessage() + QStringLiteral(" ") + left_off);
    }
}

std::optional<sheets::RaceSheet> ClubWindow::RaceSheetOfOpenRace() {
    const std::optional<club::Race> race = document_.OpenRaceRecord();
    if (!race) {
        ShowProblem(tr("Pick a race on race night first."));
        return std::nullopt;
    }
    const int point = document_.racePoints().RowOf(race->race_point);
    return sheets::RaceSheetOf(document_.Name(),
                               point < 0 ? QString() : document_.racePoints().NameAt(point),
                               document_.ReturnOfOpenRace(), document_.result().options());
}

void ClubWindow::PrintRaceResult() {
    const std::optional<sheets::RaceSheet> sheet = RaceSheetOfOpenRace();
    if (!sheet) return;
    Preview([&sheet](QPrinter& printer) { return sheets::PrintRaceResult(*sheet, printer); },
            sheets::RaceResultTitle(sheet->club, QString::fromStdString(sheet->result.race.name)));
}

void ClubWindow::SaveRaceResultAsPdf() {
    const std::optional<sheets::RaceSheet> sheet = RaceSheetOfOpenRace();
    if (!sheet) return;
    const QString race = QString::fromStdString(sheet->result.race.name);
    SaveAsPdf([&sheet](QPrinter& printer) { return sheets::PrintRaceResult(*sheet, printer); },
              tr("Save race result as PDF"), sheets::RaceResultTitle(sheet->club, race),
              tr("%1 result.pdf").arg(race.isEmpty() ? document_.Name() : race));
}

void ClubWindow::PrintSeasonSheet() {
    PreviewSheets(&sheets::PrintSeasonSheet, sheets::SeasonSheetTitle(document_.Name()));
}

void ClubWindow::PrintMemberSheets() {
    PreviewSheets(&sheets::PrintMemberSheets, sheets::MemberSheetsTitle(document_.Name()));
}

void ClubWindow::SaveSeasonSheetAsPdf() {
    SaveSheetsAsPdf(&sheets::PrintSeasonSheet, tr("Save season sheet as PDF"),
                    sheets::SeasonSheetTitle(document_.Name()),
                    tr("%1 season sheet.pdf").arg(document_.Name()));
}

void ClubWindow::SaveMemberSheetsAsPdf() {
    SaveSheetsAsPdf(&sheets::PrintMemberSheets, tr("Save member sheets as PDF"),
                    sheets::MemberSheetsTitle(document_.Name()),
                    tr("%1 member sheets.pdf").arg(document_.Name()));
}

}  // namespace club_ui
