#include "toolkit/StdControls.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "accessibility/Install.h"
#include "accessibility/QuietEvents.h"
#include "toolkit/Canvas.h"
#include "toolkit/Utf8.h"


TLabel::TLabel(QWidget* parent) : QLabel(parent)
{
    setMouseTracking(true);
}

std::string TLabel::Caption() const
{
    return text().toStdString();
}

void TLabel::SetCaption(std::string_view caption)
{
    setText(ToQString(caption));
    FitToText();
}

void TLabel::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    FitToText();
}

void TLabel::FitToText()
{
    if (!autoSize_)
        return;
    const QFontMetrics metrics(font());
    resize(metrics.horizontalAdvance(text()), metrics.height());
}

void TLabel::SetFontColor(const QColor& color)
{
    QPalette p = palette();
    if (p.color(QPalette::WindowText) == color)
        return;
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void TLabel::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved();
    QLabel::mouseMoveEvent(event);
}

void TLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {}

void TEdit::focusInEvent(QFocusEvent* event)
{
    WithoutCaretEvents(this, [this, event] { QLineEdit::focusInEvent(event); });
}

void TEdit::focusOutEvent(QFocusEvent* event)
{
    // The selection Qt drops on leaving is no news to a screen reader already elsewhere.
    WithoutCaretEvents(this, [this, event] { QLineEdit::focusOutEvent(event); });
}

std::string TEdit::Utf8Text() const
{
    return text().toStdString();
}

void TEdit::SetTextFromStart(std::string_view text)
{
    setText(ToQString(text));
    // Qt leaves the caret after the last character, scrolling a long value's start out.
    setCursorPosition(0);
}

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Qt's lists take the focus from the wheel; here the wheel never moves the focus.
    setFocusPolicy(Qt::StrongFocus);
    // Typing must not jump to a matching item: the lesson reads every keystroke.
    setCompleter(nullptr);
    connect(this, &QComboBox::editTextChanged, this, [this] {
        FollowTextWithCurrentItem();
        if (quiet_)
            return;
        ++changes_;
        emit changed();
    });
    // Every pick from the open list is a change, also of the item the text already names,
    // for which Qt changes no text.
    connect(this, &QComboBox::activated, this, [this] {
        if (changes_ == changesBeforePick_)
            emit changed();
    });
    // A picked item's text shows from its start; a text the pupil is typing is left alone.
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!following_)
            lineEdit()->setCursorPosition(0);
    });
}

std::string TComboBox::Utf8Text() const
{
    return currentText().toStdString();
}

void TComboBox::SetTextFromStart(std::string_view text)
{
    WriteText(ToQString(text));
}

void TComboBox::SetItems(const std::vector<std::string>& items)
{
    const QString text = currentText();
    quiet_ = true;
    clear();
    for (const auto& item : items)
        addItem(ToQString(item));
    quiet_ = false;
    WriteText(text);
}

void TComboBox::SetItem(int index, std::string_view text)
{
    const QString current = currentText();
    quiet_ = true;
    setItemText(index, ToQString(text));
    quiet_ = false;
    WriteText(current);
}

namespace {

// Items of one fixed height; otherwise drawn as Qt draws list items.
class FixedHeightItems : public QStyledItemDelegate {
public:
    FixedHeightItems(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    int height_;
};

} // namespace

void TComboBox::SetItemHeight(int height)
{
    // A delegate rather than a style sheet, which would put every widget of the window
    // under Qt's slower style-sheet style.
    setItemDelegate(new FixedHeightItems(height, this));
}

void TComboBox::WriteText(const QString& text)
{
    quiet_ = true;
    setEditText(text);
    quiet_ = false;
    FollowTextWithCurrentItem();
    lineEdit()->setCursorPosition(0);
}

// The open list highlights, and the arrow keys step from, the item the text names.
void TComboBox::FollowTextWithCurrentItem()
{
    const int named = findText(currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (named < 0 || named == currentIndex())
        return;
    // The item's text is the edit's text already, so the edit and its caret stay as they are.
    following_ = true;
    setCurrentIndex(named);
    following_ = false;
}

void TComboBox::showPopup()
{
    // Every name reads whole in the open list; the closed list keeps its own width.
    QAbstractItemView* list = view();
    int widest = list->sizeHintForColumn(0) + 2 * list->frameWidth();
    if (count() > maxVisibleItems())
        widest += list->verticalScrollBar()->sizeHint().width();
    list->setMinimumWidth(widest);
    changesBeforePick_ = changes_;
    QComboBox::showPopup();
}

void TComboBox::wheelEvent(QWheelEvent* event)
{
    // The wheel belongs to the focused control: over a list the pupil is not using it
    // does what it does over the list's parent.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void TComboBox::focusInEvent(QFocusEvent* event)
{
    // Its text field's caret and selection are told as a single-line edit's are.
    WithoutCaretEvents(this, [this, event] {
        QComboBox::focusInEvent(event);
        // Qt selects the text for Tab only; the window's first control is entered as by Tab.
        if (event->reason() == Qt::ActiveWindowFocusReason && !leftWithWindow_)
            lineEdit()->selectAll();
    });
    leftWithWindow_ = false;
}

void TComboBox::focusOutEvent(QFocusEvent* event)
{
    leftWithWindow_ = event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    WithoutCaretEvents(this, [this, event] { QComboBox::focusOutEvent(event); });
}

TCheckBox::TCheckBox(QWidget* parent) : QCheckBox(parent) {}

void TCheckBox::keyPressEvent(QKeyEvent* event)
{
    if (heldKey_.RepeatedPress(*event))
        event->accept();
    else
        QCheckBox::keyPressEvent(event);
}

void TCheckBox::keyReleaseEvent(QKeyEvent* event)
{
    if (heldKey_.RepeatedRelease(*event))
        event->accept();
    else
        QCheckBox::keyReleaseEvent(event);
}

TPanel::TPanel(QWidget* parent) : QFrame(parent)
{
    // The bevels are painted here, not by Qt's frame styles, which draw them as pairs.
    setFrameStyle(QFrame::NoFrame);
    setAutoFillBackground(true);
}

void TPanel::paintEvent(QPaintEvent*)
{
    TCanvas canvas;
    canvas.Begin(*this);
    TRect box{0, 0, width(), height()};
    Frame3D(canvas, box, clBtnHighlight, clBtnShadow, 1); // raised outer bevel
    Frame3D(canvas, box, clBtnShadow, clBtnHighlight, 1); // lowered inner bevel
    canvas.End();
}

TBevel::TBevel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::NoFrame);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    MarkAsDecoration(this);
}

void TBevel::paintEvent(QPaintEvent*)
{
    TCanvas canvas;
    canvas.Begin(*this);
    const int right = width() - 1;
    const int bottom = height() - 1;
    canvas.Pen().Color = clBtnShadow;
    canvas.Polyline({{0, bottom}, {0, 0}, {right, 0}});
    canvas.Pen().Color = clBtnHighlight;
    canvas.Polyline({{right, 0}, {right, bottom}, {0, bottom}});
    canvas.End();
}

TMemo::TMemo(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    // Qt's text edits type a tab character, which traps a keyboard user in the memo.
    setTabChangesFocus(true);
}

void TMemo::focusInEvent(QFocusEvent* event)
{
    WithoutCaretEvents(this, [this, event] { QTextEdit::focusInEvent(event); });
}

void TMemo::focusOutEvent(QFocusEvent* event)
{
    WithoutCaretEvents(this, [this, event] { QTextEdit::focusOutEvent(event); });
}

void TMemo::keyPressEvent(QKeyEvent* event)
{
    // Tab reaches the memo only where no other control could take the focus, as in a
    // window with the memo alone: it goes on to the window, never into the text.
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        event->ignore();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void TMemo::SetLines(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const auto& line : lines)
        list << ToQString(line);
    setPlainText(list.join('\n'));
    ApplyAlignment();
}

void TMemo::SetLine(int index, std::string_view text)
{
    QTextBlock block = document()->findBlockByNumber(index);
    if (!block.isValid())
        return;
    // A line the program writes is no step the pupil can undo, and keeping it in the
    // undo history would grow it with every language switch. Turning the history off
    // empties it: after a line is written, the pupil's own typing before it cannot be
    // undone either.
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(ToQString(text));
    document()->setUndoRedoEnabled(true);
}

std::vector<std::string> TMemo::Lines() const
{
    std::vector<std::string> lines;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        lines.push_back(b.text().toStdString());
    return lines;
}

void TMemo::SetCentred(bool centred)
{
    alignment_ = centred ? Qt::AlignHCenter : Qt::AlignLeft;
    ApplyAlignment();
}

void TMemo::ApplyAlignment()
{
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(alignment_);
    cursor.mergeBlockFormat(format);
}
