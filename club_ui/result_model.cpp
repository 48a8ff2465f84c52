#include "club_ui/result_model.h"

#include <QCoreApplication>

#include "club_ui/sheet_texts.h"
#include "results/result_messages.h"

namespace club_ui {
namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString Translated(const char* text) {
    return QCoreApplication::translate("club_ui::ResultModel", text);
}

}  // namespace

QString DistanceText(const distance::MilesYards& distance) {
    return Translated("%1 mi %2 yd").arg(distance.miles).arg(distance.yards);
}

void ResultModel::Show(results::Result result) {
    whole_ = std::move(result);
    ShowAgain();
}

void ResultModel::SetOptions(const results::ResultOptions& options) {
    options_ = options;
    ShowAgain();
}

void ResultModel::ShowAgain() {
    beginResetModel();
    first_birds_.reset();
    if (options_.first_bird_only) first_birds_ = results::FirstBirdOnly(whole_);
    endResetModel();
}

int ResultModel::RowOf(std::int64_t loft_id, const std::string& ring) const {
    const std::vector<results::ResultRow>& rows = shown().rows;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].loft_id == loft_id && rows[row].ring == ring) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

int ResultModel::RankedCount() const {
    int ranked = 0;
    for (const results::ResultRow& row : shown().rows) ranked += row.position.has_value() ? 1 : 0;
    return ranked;
}

int ResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown().rows.size());
}

int ResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count;
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const results::ResultRow& row = RowAt(index.row());
    const bool figure = index.column() == Position || index.column() == Distance ||
                        index.column() == FlyingTime || index.column() == Velocity;
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignVCenter | (figure ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role == kStandingRole) {
        return row.position ? QStringLiteral("ranked") : QStringLiteral("problem");
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    switch (index.column()) {
        case Position:
            return row.position ? QString::number(*row.position) : QString();
        case Loft:
            return Text(row.loft);
        case Ring:
            return Text(row.ring);
        case Distance:
            return row.distance ? DistanceText(*row.distance) : QString();
        case Clocked:
            return Text(row.clocked);
        case FlyingTime:
            return row.fault ? QString() : sheets::FlyingTimeText(row.figures);
        case Velocity: {
            const std::string full = results::VelocityText(row, options_.unit);
            if (role == Qt::ToolTipRole) return Text(full);
            return Text(results::RoundDecimals(full, options_.decimals));
        }
        case Problem:
            return row.fault ? Text(results::BirdFaultMessage(*row.fault)) : QString();
        default:
            return {};
    }
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) {
        return {};
    }
    switch (section) {
        case Position:
            return Translated("Pos");
        case Loft:
            return Translated("Member and loft");
        case Ring:
            return Translated("Ring");
        case Distance:
            return Translated("Distance");
        case Clocked:
            return Translated("Clocked");
        case FlyingTime:
            return Translated("Flying time");
        case Velocity:
            return options_.unit == results::VelocityUnit::MetresPerMinute
                       ? Translated("Velocity (m/min)")
                       : Translated("Velocity (yd/min)");
        case Problem:
            return Translated("Problem");
        default:
            return {};
    }
}

}  // namespace club_ui
