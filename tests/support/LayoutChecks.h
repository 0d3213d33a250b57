#pragma once

// Looks into the windows the way the user sees them: texts that do not fit
// their boxes, controls drawn over each other.

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
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
        const QString text = QString(button->text()).remove(QLatin1Char('&'));
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin);
        return {button->fontMetrics().horizontalAdvance(text) + margin,
                button->fontMetrics().height()};
    }
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
        return {frame->fontMetrics().horizontalAdvance(frame->title()) + 16, 0};
    if (const auto *box = qobject_cast<const QLineEdit *>(widget))
        return {0, box->fontMetrics().height() + 4};
    return {};
}

} // namespace detail

// Every control under window whose text would be cut off, or that reaches
// outside its parent; exempt names the controls that lie outside on purpose.
inline QStringList clippedControls(const QWidget *window, const QStringList &exempt = {})
{
    QStringList problems;
    for (const QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))
            || exempt.contains(widget->objectName()) || !widget->isVisibleTo(window))
            continue;
        const QSize needed = detail::neededForText(widget);
        if (needed.isValid() && (needed.width() > widget->width() || needed.height() > widget->height()))
            problems.append(detail::describe(widget, needed));
        const QWidget *parent = widget->parentWidget();
        if (parent && !parent->rect().contains(widget->geometry()))
            problems.append(widget->objectName() + QStringLiteral(" reaches outside ")
                            + parent->objectName());
    }
    return problems;
}

// Pairs of named sibling controls that are drawn over each other.
inline QStringList overlappingControls(const QWidget *window, const QStringList &exempt = {})
{
    QStringList problems;
    QList<const QWidget *> parents{window};
    for (const QWidget *widget : window->findChildren<QWidget *>())
        parents.append(widget);
    for (const QWidget *parent : parents) {
        QList<const QWidget *> siblings;
        for (QObject *child : parent->children()) {
            auto *widget = qobject_cast<QWidget *>(child);
            if (widget && !widget->isWindow() && !widget->objectName().isEmpty()
                && !widget->objectName().startsWith(QLatin1String("qt_"))
                && !exempt.contains(widget->objectName()) && widget->isVisibleTo(window))
                siblings.append(widget);
        }
        for (qsizetype i = 0; i < siblings.size(); ++i)
            for (qsizetype j = i + 1; j < siblings.size(); ++j)
                if (siblings[i]->geometry().intersects(siblings[j]->geometry()))
                    problems.append(siblings[i]->objectName() + QStringLiteral(" overlaps ")
                                    + siblings[j]->objectName());
    }
    return problems;
}

} // namespace qx::test
