#include <QLabel>
#include <QMetaObject>

#include "accessibility/Clickable.h"
#include "accessibility/Interfaces.h"

namespace {

class TLinkAccessible : public TClickableAccessible {
public:
    explicit TLinkAccessible(QLabel* label) : TClickableAccessible(label, QAccessible::Link, pressAction()) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && Label().accessibleName().isEmpty())
            return Label().text();
        return TClickableAccessible::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = TClickableAccessible::state();
        s.linked = true;
        return s;
    }

protected:
    // The toolkit's label tells of its clicks through its clicked() signal; this layer
    // sits under the toolkit, so it names the signal rather than the label's class.
    void Click() override { QMetaObject::invokeMethod(&Label(), "clicked"); }

private:
    QLabel& Label() const { return static_cast<QLabel&>(*widget()); }
};

} // namespace

QAccessibleInterface* LinkInterface(QLabel* label)
{
    return new TLinkAccessible(label);
}
