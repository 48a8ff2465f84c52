#pragma once

#include <QLabel>
#include <QString>
#include <map>

namespace club_ui {

// A label whose words wrap and whose text can be selected and copied, as a pane's words on the
// cell selected. Qt lays such a label's whole text out twice for each width it is asked the
// height of, and the layouts around it ask again at every pass, a few dozen times before the
// window first shows; the heights are kept here for the text and font they were worked out with.
class WrappingLabel : public QLabel {
  public:
    explicit WrappingLabel(const QString& text = {}, QWidget* parent = nullptr);

    [[nodiscard]] int heightForWidth(int width) const override;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    mutable QString measured_text_;
    mutable std::map<int, int> heights_;  // by width, for the text measured
};

}  // namespace club_ui
