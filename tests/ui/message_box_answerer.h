#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <vector>

namespace calculator::testing {

// Answers every message box the window opens while it lives: notes what the box showed, and
// what a watched field showed behind it, then presses the box's OK button.
class MessageBoxAnswerer : public QObject {
  public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        bool applicationModal = false;
        QString fieldText;  // the watched field's text while the box was open
    };

    explicit MessageBoxAnswerer(const QLineEdit* watched = nullptr) : watched_(watched) {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswerer::Answer);
        timer_.start();
    }

    const std::vector<Seen>& seen() const { return seen_; }

  private:
    void Answer() {
        auto* const box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        Seen seen;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.applicationModal = box->windowModality() == Qt::ApplicationModal;
        if (watched_) seen.fieldText = watched_->text();
        seen_.push_back(seen);
        if (QAbstractButton* const ok = box->button(QMessageBox::Ok)) {
            ok->click();
        } else {
            box->reject();  // a box without OK fails the test that looks at it
        }
    }

    QPointer<const QLineEdit> watched_;
    QTimer timer_;
    std::vector<Seen> seen_;
};

}  // namespace calculator::testing
