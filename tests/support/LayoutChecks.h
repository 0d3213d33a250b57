#pragma once

// Looks into the windows the way the user sees them: texts that do not fit
// their controls or that a container cuts off, controls drawn over each other.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace qx::test {

namespace detail {

inline QString describe(const QWidget *widget, const QSize &needed)
{
    return QStringLiteral("%1 needs %2x%3, has %4x%5")
        .arg(widget->objectName())
        .arg(needed.width())
        .arg(needed.height())
        .arg(widget->width())
        .arg(widget->height());
}

// The room a control's text needs, or an invalid size for controls without text.
inline QSize neededForText(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        if (label->text().isEmpty())
            return {};
        if (label->wordWrap())
            return {label->width(), label->heightForWidth(label->width())};
        return label->sizeHint();
    }
    if (const auto *check = qobject_cast<const QCheckBox *>(widget))
        return {check->sizeHint().width(), check->fontMetrics().height()};
    if (const auto *button = qobject_cast<const QPushButton *>(widget)) {
        // Room for the frame around the caption.
        const QString text = QString(button->text()).remove(QLatin1Char('&'));
        return {button->fontMetrics().horizontalAdvance(text) + 8, button->fontMetrics().height() + 4};
    }
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
        return {frame->fontMetrics().horizontalAdvance(frame->title()) + 16, 0};
    if (const auto *box = qobject_cast<const QLineEdit *>(widget))
        return {0, box->fontMetrics().height() + 4};
    return {};
}

// Where the text of a label is drawn, in the label's coordinates.
inline QRect labelTextRect(const QLabel *label)
{
    const QFontMetrics metrics(label->font());
    const QRect box = label->contentsRect();
    QSize needed;
    if (label->wordWrap())
        needed = metrics
                     .boundingRect(QRect(0, 0, box.width(), 1 << 20), int(label->alignment()) | Qt::TextWordWrap,
                                   label->text())
                     .size();
    else
        needed = QSize(metrics.horizontalAdvance(label->text()), metrics.height());
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(), needed, box);
}

// The ink of a one-line label, underline included, in its coordinates.
inline QRect labelInkRect(const QLabel *label)
{
    const QFontMetrics metrics(label->font());
    const QRect line = labelTextRect(label);
    if (label->wordWrap())
        return line;
    QRect ink = metrics.tightBoundingRect(label->text()).translated(line.left(), line.top() + metrics.ascent());
    if (label->font().underline())
        ink.setBottom(line.top() + metrics.ascent() + metrics.underlinePos() + metrics.lineWidth());
    return ink;
}

inline QRect groupBoxTitleRect(const QGroupBox *box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.textAlignment = box->alignment();
    const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    const QFontMetrics metrics(box->font());
    return QRect(title.topLeft(), QSize(metrics.horizontalAdvance(box->title()), title.height()));
}

// A rectangle of a widget that every ancestor up to the window shows whole.
inline bool shownWhole(const QWidget *widget, const QRect &rect)
{
    if (!widget->rect().contains(rect))
        return false;
    QRect inAncestor = rect;
    for (const QWidget *w = widget; !w->isWindow(); w = w->parentWidget()) {
        inAncestor.translate(w->pos());
        if (!w->parentWidget()->rect().contains(inAncestor))
            return false;
    }
    return true;
}

// What of a control the user must see: the text of a label that has one,
// the whole of any other control.
inline QRect visiblePart(const QWidget *widget)
{
    const auto *label = qobject_cast<const QLabel *>(widget);
    return label && !label->text().isEmpty() ? labelTextRect(label) : widget->rect();
}

// The space a control takes in its parent: the ink of a label, the whole of
// any other control.
inline QRect footprint(const QWidget *child)
{
    if (const auto *label = qobject_cast<const QLabel *>(child))
        return labelInkRect(label).translated(child->pos());
    return child->geometry();
}

// Frames and the tab container, whose borders may touch.
inline bool isContainer(const QWidget *widget)
{
    return qobject_cast<const QGroupBox *>(widget) || qobject_cast<const QTabWidget *>(widget)
           || qstrcmp(widget->metaObject()->className(), "QFrame") == 0;
}

// The controls of the form that the user sees, Qt's own parts apart.
inline bool isLookedAt(const QWidget *widget, const QWidget *window, const QStringList &exempt)
{
    return !widget->isWindow() && !widget->objectName().isEmpty()
           && !widget->objectName().startsWith(QLatin1String("qt_")) && !exempt.contains(widget->objectName())
           && widget->isVisibleTo(window);
}

inline void checkTexts(const QWidget *widget, QStringList &problems)
{
    const QString name = widget->objectName();
    const QSize needed = neededForText(widget);
    if (needed.isValid() && (needed.width() > widget->width() || needed.height() > widget->height()))
        problems.append(describe(widget, needed));
    if (!shownWhole(widget, visiblePart(widget)))
        problems.append(name + QStringLiteral(" is cut off by its container"));
    if (const auto *box = qobject_cast<const QGroupBox *>(widget)) {
        const QRect title = groupBoxTitleRect(box);
        if (!shownWhole(box, title))
            problems.append(name + QStringLiteral(" has its title cut off"));
        for (const QWidget *child : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (footprint(child).intersects(title))
                problems.append(child->objectName() + QStringLiteral(" covers the title of ") + name);
    }
    if (const auto *combo = qobject_cast<const QComboBox *>(widget)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                                           combo);
        for (int i = 0; i < combo->count(); ++i)
            if (combo->fontMetrics().horizontalAdvance(combo->itemText(i)) > field.width())
                problems.append(name + QStringLiteral(" cuts off ") + combo->itemText(i));
    }
    if (const auto *tabs = qobject_cast<const QTabWidget *>(widget)) {
        const QTabBar *bar = tabs->tabBar();
        for (int i = 0; i < bar->count(); ++i)
            if (bar->fontMetrics().horizontalAdvance(bar->tabText(i)) >= bar->tabRect(i).width())
                problems.append(name + QStringLiteral(" cuts off the tab ") + bar->tabText(i));
    }
}

} // namespace detail

// Everything under window that keeps the user from reading it: a text that
// does not fit its control, a control or text that a container cuts off, a
// frame's title covered, sibling controls drawn over each other. Frames may
// touch, and controls stacked on exactly the same place show one at a time.
// exempt names the controls that lie outside on purpose.
inline QStringList layoutProblems(const QWidget *window, const QStringList &exempt = {})
{
    QStringList problems;
    QList<const QWidget *> parents{window};
    for (const QWidget *widget : window->findChildren<QWidget *>()) {
        parents.append(widget);
        if (detail::isLookedAt(widget, window, exempt))
            detail::checkTexts(widget, problems);
    }
    for (const QWidget *parent : parents) {
        QList<const QWidget *> siblings;
        for (const QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (detail::isLookedAt(child, window, exempt))
                siblings.append(child);
        for (qsizetype i = 0; i < siblings.size(); ++i) {
            for (qsizetype j = i + 1; j < siblings.size(); ++j) {
                const QWidget *a = siblings[i];
                const QWidget *b = siblings[j];
                if ((detail::isContainer(a) && detail::isContainer(b)) || a->geometry() == b->geometry())
                    continue;
                if (detail::footprint(a).intersects(detail::footprint(b)))
                    problems.append(a->objectName() + QStringLiteral(" overlaps ") + b->objectName());
            }
        }
    }
    return problems;
}

} // namespace qx::test
