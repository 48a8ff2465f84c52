#pragma once

#include <QFont>
#include <QLineEdit>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QWindow>

class QScreen;

namespace calculator {

// A read-only field that shows one result in the results' face. A text too wide for the field is
// first set in narrower letters, which keep their height, then in smaller ones, but never below
// the size at which digits stop being legible; what still does not fit shows from its first
// character and ends in an ellipsis, so that a cut number never passes for a whole one. The
// field's text, which is what is copied, read out and shown in its tool tip, is always the whole
// result; with the keyboard in the field, the whole text shows and scrolls.
class ResultField : public QLineEdit {
    Q_OBJECT

  public:
    // The legibility floor: letters no narrower than this share of their width, and no smaller.
    static constexpr int kNarrowestStretch = 70;
    static constexpr qreal kSmallestPoints = 10;

    explicit ResultField(QWidget* parent = nullptr);

    // What the field shows while the keyboard is elsewhere: the whole text, or its first
    // characters and an ellipsis.
    QString ShownText() const;

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // Chooses the face for the current text, size, style and screen.
    void Fit();
    // Lays the text out in the field's face, if that was left until the field shows or has a text.
    void LayOutInFace();
    // Fits again whenever the window moves to another screen or its screen's density changes:
    // the same face may measure differently there.
    void FollowScreen();
    void FollowDensityOf(QScreen* screen);
    // Where the line edit lays its text out: inside the frame, less the text margins and a
    // small margin at each side.
    QRect TextLine() const;
    bool Fits(const QFont& font, const QString& text) const;

    const QFont face_;
    QString cut_;  // the text cut to the field and ended in an ellipsis; empty when it fits
    bool fitting_ = false;
    bool laid_out_in_face_ = true;
    QPointer<QWindow> followedWindow_;
    QMetaObject::Connection densityChange_;
};

}  // namespace calculator
