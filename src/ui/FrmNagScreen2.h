#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class FrmNagScreen2;
}

namespace qx {

// The exit screen: the last window of the program; closing it ends the program.
// It appeals for visits to the maker's site, promotes the maker's other
// programs and carries the refer-a-friend form.
class FrmNagScreen2 : public QWidget {
    Q_OBJECT

public:
    explicit FrmNagScreen2(QWidget *parent = nullptr);
    ~FrmNagScreen2() override;

    void cmdClose_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOutTexts();
    void Check1_Click();
    void lblGoToHome_Click();
    void cmdSubmit_Click();
    void clearPlaceholder(QWidget *box);
    void restorePlaceholder(QWidget *box);
    void refuseSpace(QWidget *box);
    QString placeholderOf(const QObject *box) const;
    QString textOf(const QWidget *box) const;
    void setTextOf(QWidget *box, const QString &text);

    std::unique_ptr<Ui::FrmNagScreen2> ui;
    bool m_textsLaidOut = false;
};

} // namespace qx
