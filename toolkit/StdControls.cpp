#include "toolkit/StdControls.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "toolkit/Application.h"
#include "toolkit/StdAccessible.h"

namespace {
QString ToQ(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}

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
    setText(ToQ(caption));
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
    if (OnMouseMove)
        Guarded(this, [this] { OnMouseMove(this); });
    QLabel::mouseMoveEvent(event);
}

void TLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        Guarded(this, [this] { OnClick(this); });
    QLabel::mouseReleaseEvent(event);
}

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {}

std::string TEdit::Text() const
{
    return text().toStdString();
}

void TEdit::SetText(std::string_view text)
{
    setText(ToQ(text));
}

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Typing must not jump to a matching item: the lesson reads every keystroke.
    setCompleter(nullptr);
    connect(this, &QComboBox::editTextChanged, this, [this] {
        if (!quiet_ && OnChange)
            Guarded(this, [this] { OnChange(this); });
    });
}

std::string TComboBox::Text() const
{
    return currentText().toStdString();
}

void TComboBox::SetText(std::string_view text)
{
    quiet_ = true;
    setEditText(ToQ(text));
    quiet_ = false;
}

void TComboBox::SetItems(const std::vector<std::string>& items)
{
    quiet_ = true;
    const QString text = currentText();
    clear();
    for (const auto& item : items)
        addItem(ToQ(item));
    setEditText(text);
    quiet_ = false;
}

void TComboBox::SetItem(int index, std::string_view text)
{
    quiet_ = true;
    const QString current = currentText();
    setItemText(index, ToQ(text));
    setEditText(current);
    quiet_ = false;
}

TCheckBox::TCheckBox(QWidget* parent) : QCheckBox(parent)
{
    connect(this, &QCheckBox::toggled, this, [this] {
        if (OnClick)
            Guarded(this, [this] { OnClick(this); });
    });
}

TPanel::TPanel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
}

TBevel::TBevel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setLineWidth(1);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    MarkAsDecoration(this);
}

TMemo::TMemo(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
}

void TMemo::SetLines(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const auto& line : lines)
        list << ToQ(line);
    setPlainText(list.join('\n'));
    ApplyAlignment();
}

void TMemo::SetLine(int index, std::string_view text)
{
    QTextBlock block = document()->findBlockByNumber(index);
    if (!block.isValid())
        return;
    // A line the program writes is no step the pupil can undo, and keeping it in the
    // undo history would grow it with every language switch.
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(ToQ(text));
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
