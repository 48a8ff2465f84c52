#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <optional>

#include "results/race_result.h"
#include "results/result_writers.h"

namespace club_ui {

// The race's result as it grows: the ranked birds, fastest first, then every bird with a problem
// and why. Each bird's figures are the calculator's; the velocity is shown to the club's
// decimals, and in full with the bird's other figures where it is selected.
class ResultModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { Position, Loft, Ring, Velocity, Distance, FlyingTime, Clocked, Problem, Count };
    // "ranked" for a bird with a position, "problem" for one with none: what the ranked birds'
    // table and the problem birds' table below it each show.
    static constexpr int kStandingRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    // The result worked out again; shown whole, or each loft's first bird only.
    void Show(results::Result result);
    void SetOptions(const results::ResultOptions& options);
    const results::ResultOptions& options() const { return options_; }
    // The result as worked out, every bird, whatever is shown.
    const results::Result& whole() const { return whole_; }
    // The result as shown: each loft's first bird only where that is chosen.
    const results::Result& shown() const { return first_birds_ ? *first_birds_ : whole_; }
    const results::ResultRow& RowAt(int row) const {
        return shown().rows.at(static_cast<std::size_t>(row));
    }
    // The row of a bird by its loft and ring, or -1: the one selected stays selected as the
    // result is worked out again.
    int RowOf(std::int64_t loft_id, const std::string& ring) const;
    int RankedCount() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    void ShowAgain();

    results::ResultOptions options_;
    results::Result whole_;
    // Each loft's first bird, where only those are shown; the whole result is not copied for
    // showing it all.
    std::optional<results::Result> first_birds_;
};

// "71 mi 1,234 yd".
QString DistanceText(const distance::MilesYards& distance);

}  // namespace club_ui
