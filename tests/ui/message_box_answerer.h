#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <vector>

namespace calculator::testing {

// Answers every message box the window opens while it lives: notes what the box showed, and
// what a watched field showed behind it, then presses the box's OK button: with the mouse, or
// from the keyboard once the box has the focus.
class MessageBoxAnswerer : public QObject {
  public:
    enum class Answer { Click, Enter, Space };

    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        bool applicationModal = false;
        QString fieldText;        // the watched field's text while the box was open
        bool okHadFocus = false;  // the box took the keyboard, on its OK button
        bool closed = false;      // the click or key closed it
    };

    explicit MessageBoxAnswerer(const QLineEdit* watched = nullptr, Answer answer = Answer::Click)
        : watched_(watched), answer_(answer) {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswerer::Respond);
        timer_.start();
    }

    const std::vector<Seen>& seen() const { return seen_; }

  private:
    void Respond() {
        auto* const box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        QAbstractButton* const ok = box->button(QMessageBox::Ok);
        const bool okHasFocus = ok != nullptr && QApplication::focusWidget() == ok;
        // From the keyboard, wait (a while) for the box to take the focus.
        constexpr int kPatience = 200;
        if (answer_ != Answer::Click && !okHasFocus && ++waited_ < kPatience) return;
        waited_ = 0;
        Seen seen;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.applicationModal = box->windowModality() == Qt::ApplicationModal;
        seen.okHadFocus = okHasFocus;
        if (watched_) seen.fieldText = watched_->text();
        seen_.push_back(seen);
        if (okHasFocus && answer_ == Answer::Enter) {
            QTest::keyClick(ok, Qt::Key_Return);
        } else if (okHasFocus && answer_ == Answer::Space) {
            QTest::keyClick(ok, Qt::Key_Space);
        } else if (ok != nullptr) {
            ok->click();
        }
        seen_.back().closed = !box->isVisible();
        // A box still open (no OK, or a key that did nothing) fails the test that looks at it;
        // closing it keeps the run going.
        if (box->isVisible()) box->reject();
    }

    QPointer<const QLineEdit> watched_;
    Answer answer_;
    int waited_ = 0;
    QTimer timer_;
    std::vector<Seen> seen_;
};

}  // namespace calculator::testing
