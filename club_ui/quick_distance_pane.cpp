#include "club_ui/quick_distance_pane.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <memory>
#include <optional>
#include <utility>

#include "club_ui/place_list_model.h"
#include "club_ui/wrapping_label.h"
#include "distance/coordinate.h"
#include "distance/geodesic.h"

namespace club_ui {
namespace {

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

// A position pasted whole into either field of a pair is shared out between the two at once;
// one typed whole is shared out when the field is left. A character typed is never taken as a
// paste: only a text grown by more than one character at once.
void ShareOutPastedPositions(QLineEdit& latitude, QLineEdit& longitude) {
    const auto share_out = [&latitude, &longitude](const QString& text) {
        const auto split = SplitPastedPosition(text);
        if (!split) return;
        latitude.setText(split->first);
        longitude.setText(split->second);
    };
    for (QLineEdit* coordinate : {&latitude, &longitude}) {
        auto length_before = std::make_shared<qsizetype>(0);
        QObject::connect(coordinate, &QLineEdit::textEdited, coordinate,
                         [share_out, length_before](const QString& text) {
                             if (text.size() > *length_before + 1) share_out(text);
                         });
        QObject::connect(coordinate, &QLineEdit::textChanged, coordinate,
                         [length_before](const QString& text) { *length_before = text.size(); });
        QObject::connect(coordinate, &QLineEdit::editingFinished, coordinate,
                         [share_out, coordinate] { share_out(coordinate->text()); });
    }
}

}  // namespace

QuickDistancePane::QuickDistancePane(const PlaceListModel& lofts, const PlaceListModel& race_points,
                                     QWidget* parent)
    : Pane(tr("&Quick distance"), parent) {
    const auto field = [this](const QString& name, const QString& example) {
        auto* line = new QLineEdit;
        line->setAccessibleName(name);
        line->setPlaceholderText(example);
        connect(line, &QLineEdit::textChanged, this, &QuickDistancePane::WorkOutDistance);
        return line;
    };
    from_latitude_ = field(tr("Race point latitude"), tr("e.g. 52 34 20.5 N"));
    from_longitude_ = field(tr("Race point longitude"), tr("e.g. 1 18 48 E"));
    to_latitude_ = field(tr("Loft latitude"), tr("e.g. 52 34 20.5 N"));
    to_longitude_ = field(tr("Loft longitude"), tr("e.g. 1 18 48 E"));
    ShareOutPastedPositions(*from_latitude_, *from_longitude_);
    ShareOutPastedPositions(*to_latitude_, *to_longitude_);
    QComboBox* race_point = Picker(race_points, tr("Race point to copy"), tr("Copy a race point…"),
                                   *from_latitude_, *from_longitude_);
    QComboBox* loft =
        Picker(lofts, tr("Loft to copy"), tr("Copy a loft…"), *to_latitude_, *to_longitude_);
    result_ = new WrappingLabel;
    result_->setAccessibleName(tr("Quick distance"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("From")), 0, 0);
    grid->addWidget(from_latitude_, 0, 1);
    grid->addWidget(from_longitude_, 0, 2);
    grid->addWidget(race_point, 0, 3);
    grid->addWidget(new QLabel(tr("To")), 1, 0);
    grid->addWidget(to_latitude_, 1, 1);
    grid->addWidget(to_longitude_, 1, 2);
    grid->addWidget(loft, 1, 3);
    grid->addWidget(result_, 2, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);
    WorkOutDistance();
}

// A picker of the list's places, filled again only when the list's rows or names change: not at
// each coordinate typed.
QComboBox* QuickDistancePane::Picker(const PlaceListModel& list, const QString& name,
                                     const QString& prompt, QLineEdit& latitude,
                                     QLineEdit& longitude) {
    auto* box = new QComboBox;
    box->setAccessibleName(name);
    const auto fill = [box, &list, prompt] {
        box->clear();
        box->addItem(prompt);
        for (int row = 0; row < list.rowCount(); ++row) box->addItem(list.NameAt(row));
    };
    fill();
    connect(&list, &QAbstractItemModel::modelReset, box, fill);
    connect(&list, &QAbstractItemModel::rowsInserted, box, fill);
    connect(&list, &QAbstractItemModel::rowsRemoved, box, fill);
    connect(&list, &QAbstractItemModel::dataChanged, box,
            [box, &list](const QModelIndex& top_left, const QModelIndex& bottom_right) {
                for (int row = top_left.row(); row <= bottom_right.row(); ++row) {
                    if (box->itemText(row + 1) != list.NameAt(row))
                        box->setItemText(row + 1, list.NameAt(row));
                }
            });
    connect(box, &QComboBox::activated, this, [&list, &latitude, &longitude](int index) {
        if (index < 1 || index > list.rowCount()) return;
        QLineEdit* fields[] = {&latitude, &longitude};
        int next = 0;
        for (int column = 0; column < list.columnCount() && next < 2; ++column) {
            if (!list.IsCoordinate(column)) continue;
            fields[next++]->setText(list.index(index - 1, column).data(Qt::EditRole).toString());
        }
    });
    return box;
}

void QuickDistancePane::WorkOutDistance() {
    const auto read = [](const QLineEdit& field, distance::Axis axis) {
        return distance::ReadAngle(field.text().toStdString(), axis);
    };
    const distance::AngleReading readings[] = {read(*from_latitude_, distance::Axis::Latitude),
                                               read(*from_longitude_, distance::Axis::Longitude),
                                               read(*to_latitude_, distance::Axis::Latitude),
                                               read(*to_longitude_, distance::Axis::Longitude)};
    for (const distance::AngleReading& reading : readings) {
        if (reading.ok()) continue;
        result_->setText(reading.error->problem == distance::CoordinateProblem::Empty
                             ? tr("Type or paste the two positions.")
                             : QString::fromStdString(distance::CoordinateMessage(*reading.error)));
        return;
    }
    const distance::RaceDistance result = distance::DistanceToLoft(
        {readings[0].degrees, readings[1].degrees}, {readings[2].degrees, readings[3].degrees});
    result_->setText(QString::fromStdString(distance::DistanceText(result)));
}

}  // namespace club_ui
