#pragma once

#include <QGroupBox>
#include <QSize>
#include <QString>
#include <optional>

namespace club_ui {

// A titled frame of the window, whose least size is worked out once for its title and each least
// size of what it holds. Qt's group box measures its title's text anew each time it is asked, and
// as a window is put together its layouts and splitters ask a hundred times and more: a text's
// measuring is its shaping, each time.
class Pane : public QGroupBox {
    Q_OBJECT

  public:
    explicit Pane(const QString& title, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    struct LeastSize {
        QString title;
        QSize contents;  // what the frame's layout needs
        QSize whole;     // with the title and the frame around it
    };
    mutable std::optional<LeastSize> least_;
};

}  // namespace club_ui
