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

template <typename Record>
ImportPlan<Record> PlanImport(const PlaceList<Record>& list, const distance::PlacesFile& file) {
    ImportPlan<Record> plan;
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
        // The file's columns into the list's own: a file names a loft by its member, and a loft
        // name, where a member has two, is typed after.
        Record row;
        for (const club::Column<Record>& column : club::ListOf<Record>::kColumns) {
            switch (column.role) {
                case club::ColumnRole::Name:
                    row.*column.text = place.name;
                    break;
                case club::ColumnRole::Latitude:
                    row.*column.text = place.latitude_text;
                    break;
                case club::ColumnRole::Longitude:
                    row.*column.text = place.longitude_text;
                    break;
                case club::ColumnRole::LoftName:
                case club::ColumnRole::Text:
                    break;
            }
        }
        plan.rows_to_add.push_back(std::move(row));
        plan.places_to_add.push_back(place);
    }
    return plan;
}

template ImportPlan<club::Loft> PlanImport(const LoftList&, const distance::PlacesFile&);
template ImportPlan<club::RacePoint> PlanImport(const RacePointList&, const distance::PlacesFile&);

ImportPreviewDialog::ImportPreviewDialog(const ImportSummary& plan, const QString& file_name,
                                         const QString& items, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Import %1 from %2").arg(items, file_name));
    auto* layout = new QVBoxLayout(this);
    auto* summary = new QLabel(tr("To add: %1. Bad cells: %2. Already in the club: %3.")
                                   .arg(plan.places_to_add.size())
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
    add->setText(tr("&Add %n row(s)", nullptr, static_cast<int>(plan.places_to_add.size())));
    add->setEnabled(!plan.places_to_add.empty());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(720, 420);
}

}  // namespace club_ui
