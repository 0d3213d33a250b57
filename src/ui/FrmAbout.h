#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class FrmAbout;
}

namespace qx {

// The about window: names the program, describes it and links to the maker's
// site. Shown modally by its opener: FrmAbout about(this); about.exec();
class FrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit FrmAbout(QWidget *parent = nullptr);
    ~FrmAbout() override;

private:
    void lblHomePage_Click();
    void lblMoreDetails_Click();
    void cmdOK_Click();

    std::unique_ptr<Ui::FrmAbout> ui;
};

} // namespace qx
