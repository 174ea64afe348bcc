#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>

#include "accessibility/Interfaces.h"

namespace {

// A single-line edit as Qt reads it, except that its text has one run of attributes
// from its first to its last character. Works around Qt 6.4 (checked with 6.4.2), whose
// line edit reports an empty run at each offset: a screen reader that splits the text
// by those runs leaves the last character out.
class TEditAccessible : public QAccessibleWidget,
                        public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface {
public:
    explicit TEditAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return Edit().text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !Edit().isReadOnly();
        s.readOnly = Edit().isReadOnly();
        s.selectableText = true;
        return s;
    }

    // Text.
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && Edit().hasSelectedText()) {
            *start = Edit().selectionStart();
            *end = Edit().selectionEnd();
        }
    }
    int selectionCount() const override { return Edit().hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            Edit().deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            Edit().setSelection(start, end - start);
    }
    int cursorPosition() const override { return Edit().cursorPosition(); }
    void setCursorPosition(int position) override { Edit().setCursorPosition(position); }
    QString text(int start, int end) const override { return Edit().text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Edit().text().size()); }
    QRect characterRect(int offset) const override
    {
        const QFontMetrics metrics = Edit().fontMetrics();
        const QString shown = Edit().displayText();
        const QRect box = Edit().contentsRect();
        const int x = box.left() + metrics.horizontalAdvance(shown.left(offset));
        const int width = offset < shown.size() ? metrics.horizontalAdvance(shown.at(offset)) : 1;
        const QRect local(x, box.top() + (box.height() - metrics.height()) / 2, width, metrics.height());
        return QRect(Edit().mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override { return Edit().cursorPositionAt(Edit().mapFromGlobal(point)); }
    void scrollToSubstring(int start, int) override { Edit().setCursorPosition(start); }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return LanguageAttribute(Edit());
    }

    // Editable text.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override
    {
        Edit().setText(Edit().text().replace(start, end - start, text));
    }

private:
    QLineEdit& Edit() const { return static_cast<QLineEdit&>(*widget()); }
};

} // namespace

QAccessibleInterface* EditInterface(QLineEdit* edit)
{
    return new TEditAccessible(edit);
}
