#include "club_ui/import_preview.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "club_ui/place_list_model.h"

namespace club_ui {
namespace {

bool SamePlace(const distance::Place& place, const QString& name, distance::Position position) {
    return QString::fromStdString(place.name) == name && place.position == position;
}

}  // namespace

ImportPlan PlanImport(const PlaceListModel& list, const distance::PlacesFile& file) {
    ImportPlan plan;
    plan.problems = file.problems;
    for (const distance::Place& place : file.places) {
        const QString name = QString::fromStdString(place.name);
        bool present = false;
        for (int row = 0; row < list.rowCount() && !present; ++row) {
            const std::optional<distance::Position> position = list.PositionAt(row);
            present = position && SamePlace(place, list.NameAt(row), *position);
        }
        for (const distance::Place& added : plan.places_to_add) {
            present = present || SamePlace(added, name, place.position);
        }
        if (present) {
            plan.already_present.push_back(place);
            continue;
        }
        // A file names a loft by its member; a loft name, where a member has two, is typed after.
        club::Row row{.id = 0, .cells = {place.name}};
        if (list.list() == club::List::Lofts) row.cells.emplace_back();
        row.cells.push_back(place.latitude_text);
        row.cells.push_back(place.longitude_text);
        plan.rows_to_add.push_back(std::move(row));
        plan.places_to_add.push_back(place);
    }
    return plan;
}

ImportPreviewDialog::ImportPreviewDialog(const ImportPlan& plan, const QString& file_name,
                                         const QString& items, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Import %1 from %2").arg(items, file_name));
    auto* layout = new QVBoxLayout(this);
    auto* summary = new QLabel(tr("%1 to add, %2 bad cells, %3 already in the club.")
                                   .arg(plan.rows_to_add.size())
                                   .arg(plan.problems.size())
                                   .arg(plan.already_present.size()),
                               this);
    layout->addWidget(summary);

    auto* table = new QTableWidget(this);
    table->setAccessibleName(tr("Rows of the file"));
    table->setColumnCount(3);
    table->setHorizontalHeaderLabels({tr("Row"), tr("What happens"), tr("Details")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    const auto add_line = [table](std::size_t row, const QString& outcome, const QString& details) {
        const int at = table->rowCount();
        table->insertRow(at);
        auto* number = new QTableWidgetItem;
        number->setData(Qt::DisplayRole, static_cast<qulonglong>(row));  // sorts as a number
        table->setItem(at, 0, number);
        table->setItem(at, 1, new QTableWidgetItem(outcome));
        table->setItem(at, 2, new QTableWidgetItem(details));
    };
    const auto place_text = [](const distance::Place& place) {
        return QStringLiteral("%1   %2   %3")
            .arg(QString::fromStdString(place.name), QString::fromStdString(place.latitude_text),
                 QString::fromStdString(place.longitude_text));
    };
    for (const distance::Place& place : plan.places_to_add) {
        add_line(place.row, tr("To be added"), place_text(place));
    }
    for (const distance::CellProblem& problem : plan.problems) {
        add_line(problem.row, tr("Bad: not added"),
                 QStringLiteral("%1: %2").arg(QString::fromStdString(problem.column),
                                              QString::fromStdString(problem.message)));
    }
    for (const distance::Place& place : plan.already_present) {
        add_line(place.row, tr("Already there: skipped"), place_text(place));
    }
    table->sortItems(0);
    table->resizeColumnsToContents();
    layout->addWidget(table);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* add = buttons->button(QDialogButtonBox::Ok);
    add->setText(tr("&Add %1 %2").arg(plan.rows_to_add.size()).arg(items));
    add->setEnabled(!plan.rows_to_add.empty());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(720, 420);
}

}  // namespace club_ui
