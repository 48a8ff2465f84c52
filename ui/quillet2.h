#pragma once

#include <QString>
#include <QWidget>
#include <string_view>

class QGroupBox;
class QLineEdit;

namespace calculator {
struct ClockLimit;
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
    void BuildFrames();
    void BuildLabels();
    void BuildEntryFields();
    void BuildResultFields();
    void BuildButtons();
    void BuildNote();
    void SetTabOrder();
    void PlaceInCentreOfScreen();

    // Calc: works out the race from the entries and shows the results, or says what is wrong.
    void Calculate();
    // Refuses a clock value beyond the clock face and puts the field's fallback text back.
    void CheckFieldLimit(QLineEdit* field, const calculator::ClockLimit& limit);
    // One modal message with an OK button, under the club's title.
    void ShowMessage(const QString& text);

    QGroupBox* Frame(std::string_view name) const;
    QLineEdit* Field(std::string_view name) const;

    QGroupBox* results_ = nullptr;
    bool iconAsked_ = false;
};
