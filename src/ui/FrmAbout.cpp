#include "ui/FrmAbout.h"
#include "ui_FrmAbout.h"

#include "core/modHelp.h"
#include "core/ProgramInfo.h"
#include "ui/Fonts.h"
#include "ui/ProgramIcon.h"
#include "ui/widgets/ClickableLabel.h"
#include "ui/widgets/TextFit.h"
#include "ui/widgets/WindowCentring.h"

namespace qx {

namespace {

// Room kept between a text and the right edge of the window.
constexpr int RightMargin = 8;

} // namespace

FrmAbout::FrmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
    , ui(std::make_unique<Ui::FrmAbout>())
{
    ui->setupUi(this);
    setFixedSize(size());
    setWindowRole(QStringLiteral("about-window"));

    // Designer keeps whole point sizes only.
    const QList<QWidget *> smallTexts = {this,         ui->lblDescription, ui->lblHomePage,
                                         ui->lblOffer, ui->lblMoreDetails, ui->cmdOK};
    for (QWidget *widget : smallTexts)
        setPointSize(widget, 8.25);
    setPointSize(ui->lblTitle, 9.75);

    setWindowTitle(windowCaption());
    ui->lblTitle->setText(windowCaption());
    ui->picIcon->setPixmap(programPicture(ui->picIcon->size(), devicePixelRatioF()));
    ui->lblHomePage->setText(QStringLiteral("Click here to visit ") + siteHost());

    // The design was made for Verdana; where the substitute font draws a
    // one-line text wider, its label grows rather than cut it off.
    const QList<QLabel *> oneLineTexts = {ui->lblTitle, ui->lblHomePage, ui->lblMoreDetails};
    for (QLabel *label : oneLineTexts)
        fitTextWidth(label, width() - RightMargin - label->x());

    centreWhenShown(this);

    connect(ui->lblHomePage, &ClickableLabel::clicked, this, &FrmAbout::lblHomePage_Click);
    connect(ui->lblMoreDetails, &ClickableLabel::clicked, this, &FrmAbout::lblMoreDetails_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &FrmAbout::cmdOK_Click);
}

FrmAbout::~FrmAbout() = default;

void FrmAbout::lblHomePage_Click()
{
    OpenHomePage();
}

void FrmAbout::lblMoreDetails_Click()
{
    OpenFullBrandPage();
}

// Enter presses cmdOK, the default button; Escape and the close box close the
// window through reject(), to the same effect.
void FrmAbout::cmdOK_Click()
{
    accept();
}

} // namespace qx
