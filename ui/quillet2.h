#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstddef>

#include "ui/window_layout.h"

class QGroupBox;
class QLineEdit;

namespace calculator {
class ResultField;
}

// The calculator's one window: the race entries in four frames, the results frame over the
// top three of them, the Calc, Clear and Exit buttons and a note. Closing it ends the program.
class Quillet2 : public QWidget {
    Q_OBJECT

  public:
    explicit Quillet2(QWidget* parent = nullptr);

  protected:
    bool event(QEvent* event) override;

  private:
    // An entry field and the race entry it holds.
    struct EntryInput {
        QLineEdit* field = nullptr;
        calculator::EntryMember member = nullptr;
    };

    void BuildFrames();
    void BuildLabels();
    void BuildEntryFields();
    void BuildResultFields();
    void BuildButtons();
    void BuildNote();
    void SetTabOrder();
    void PlaceInCentreOfScreen();

    QGroupBox* Frame(calculator::FrameId frame) const;
    // The entry field that holds the given entry of the race; nullptr for none.
    QLineEdit* EntryFieldOf(const race::EntryField* entry) const;

    // Calc: works out the race from the entries and shows the results, or says what is wrong.
    void Calculate();
    // Refuses a clock value beyond the clock face and puts the field's fallback text back.
    void CheckFieldLimit(QLineEdit* field, const calculator::ClockLimit& limit);
    // One modal message with an OK button, under the club's title.
    void ShowMessage(const QString& text);

    std::array<QGroupBox*, calculator::kFrames.size()> frames_{};
    // In the calculation's order of entries, which is the Tab key's.
    std::array<EntryInput, race::kEntryFields.size()> entries_{};
    // In the order of the results table.
    std::array<calculator::ResultField*, calculator::kResults.size()> results_{};
    // The Tab key's round after the entry fields.
    std::array<QWidget*, calculator::kTabOrderAfterEntries.size()> tabRoundAfterEntries_{};
    bool iconAsked_ = false;
};
