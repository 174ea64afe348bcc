// The standard controls the lesson's windows are made of, with the properties and
// events its handlers use. Texts cross this boundary as UTF-8 std::string.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/HeldKey.h"

// A text label; transparent unless given a colour of its own. It tells of a left click
// (a release over it) and of the pointer moving over it.
class TLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLabel(QWidget* parent);
    std::string Caption() const;
    void SetCaption(std::string_view caption);
    void SetFontColor(const QColor& color);
    // A label that sizes itself to its text, as labels do unless given a fixed size.
    void SetAutoSize(bool autoSize);

signals:
    void clicked();
    void mouseMoved();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FitToText();
    bool autoSize_ = false;
};

class TEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TEdit(QWidget* parent);
    std::string Utf8Text() const;
    // A text the program writes shows from its first character (caret at 0), so a
    // long value shows its beginning, not its tail.
    void SetTextFromStart(std::string_view text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// A drop-down list with editable text: changed() is emitted on every change of the text,
// whether an item was picked or a key typed, and once for every pick from the open
// list, also of the item the text already names.
//   - Text written by the program or by a pick shows from its first character.
//   - The highlighted item follows the text whenever the text is one of the items.
//   - The wheel steps through the items only while the list has the keyboard focus;
//     otherwise it goes on to the parent.
//   - The open list is wide enough for its longest item.
//   - The focus arriving by Tab or as the window's first control selects the whole
//     text, so typing replaces it; a click places the caret, and the focus coming back
//     with its window finds the text as it was left.
class TComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TComboBox(QWidget* parent);
    std::string Utf8Text() const;
    // Sets the text without emitting changed().
    void SetTextFromStart(std::string_view text);
    void SetItems(const std::vector<std::string>& items);
    // Replaces one item's text in place.
    void SetItem(int index, std::string_view text);
    // The height of each item in the open list, in pixels.
    void SetItemHeight(int height);
    void showPopup() override;

signals:
    void changed();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Writes the text quietly and shows it from its start.
    void WriteText(const QString& text);
    void FollowTextWithCurrentItem();

    bool quiet_ = false;
    // Changes of the text the user made, and how many there were when the list opened:
    // a pick that made none is still a change.
    unsigned changes_ = 0;
    unsigned changesBeforePick_ = 0;
    bool following_ = false;
    bool leftWithWindow_ = false;
};

// A standard check box (toggled() tells every change of its state, by the user or by
// the program). A held Space toggles it once, on its release.
class TCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TCheckBox(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    THeldKey heldKey_;
};

// A panel with a raised outer and a lowered inner bevel, one pixel each, in the
// desktop's light and shadow colours.
class TPanel : public QFrame {
    Q_OBJECT
public:
    explicit TPanel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A lowered box: one line, shadow on the top and left, light on the bottom and right.
class TBevel : public QFrame {
    Q_OBJECT
public:
    explicit TBevel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A multi-line edit whose lines are set and read as a whole. It does not take Tab:
// Tab and Shift+Tab move the focus on, as in every other control; Enter types a new line.
class TMemo : public QTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent);
    void SetLines(const std::vector<std::string>& lines);
    // Replaces one line's text in place; lines the user added stay.
    void SetLine(int index, std::string_view text);
    std::vector<std::string> Lines() const;
    // Centres every line, typed ones included.
    void SetCentred(bool centred);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyAlignment();
    Qt::Alignment alignment_ = Qt::AlignLeft;
};
