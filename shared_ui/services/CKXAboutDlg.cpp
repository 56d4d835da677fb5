#include "shared_ui/services/CKXAboutDlg.h"

#include "platform/BuildVersion.h"
#include "shared_ui/services/CFileVersionInfo.h"
#include "shared_ui/services/CStaticLink.h"
#include "shared_ui/services/CTransparentImage.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

CKXAboutDlg::CKXAboutDlg(QWidget *parent)
    : QDialog(parent)
{
    setModal(true);

    m_image1 = new CTransparentImage(this);
    m_image1->setObjectName(QStringLiteral("image1"));
    m_image1->setPixmap(TargetMark());
    m_image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_image1->setMinimumSize(TargetMark().size());

    m_titleLabel = new QLabel(this);
    m_titleLabel->setObjectName(QStringLiteral("title"));
    QFont titleFont = m_titleLabel->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    m_titleLabel->setFont(titleFont);

    m_versionLabel = new QLabel(this);
    m_versionLabel->setObjectName(QStringLiteral("version"));
    m_descriptionLabel = new QLabel(this);
    m_descriptionLabel->setObjectName(QStringLiteral("description"));
    m_descriptionLabel->setWordWrap(true);
    m_descriptionLabel->hide();

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *maker = new QLabel(QStringLiteral("Made for %1").arg(QLatin1String(Organisation)), this);
    maker->setObjectName(QStringLiteral("maker"));
    m_mail = new CStaticLink({}, this);
    m_mail->setObjectName(QStringLiteral("mailLink"));
    m_web = new CStaticLink({}, this);
    m_web->setObjectName(QStringLiteral("webLink"));
    auto *contractor = new QLabel(QStringLiteral("Support and maintenance: the Kx suite support team"), this);
    contractor->setObjectName(QStringLiteral("contractor"));
    m_support = new CStaticLink({}, this);
    m_support->setObjectName(QStringLiteral("supportLink"));

    m_image2 = new CTransparentImage(this);
    m_image2->setObjectName(QStringLiteral("image2"));
    m_image2->setPixmap(CrashPulse());
    m_image2->setMinimumSize(CrashPulse().size());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->setSpacing(4);
    text->addWidget(m_titleLabel);
    text->addWidget(m_versionLabel);
    text->addSpacing(4);
    text->addWidget(m_descriptionLabel);
    text->addSpacing(6);
    text->addWidget(line);
    text->addSpacing(6);
    text->addWidget(maker);
    text->addWidget(m_mail);
    text->addWidget(m_web);
    text->addSpacing(8);
    text->addWidget(contractor);
    text->addWidget(m_support);
    text->addStretch(1);

    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(m_image1, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_image2, 0, Qt::AlignBottom);
    bottom->addStretch(1);
    bottom->addWidget(buttons, 0, Qt::AlignBottom);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->addLayout(top, 1);
    layout->addSpacing(10);
    layout->addLayout(bottom);

    InitDialog();
}

void CKXAboutDlg::SetVersion(const char *moduleVersion)
{
    if (!moduleVersion)
        return;
    CFileVersionInfo info;
    info.Read(moduleVersion, "040904b0", "ProductVersion");
    m_version += QString::fromStdString(info.GetProductVersion());
}

void CKXAboutDlg::SetVersion()
{
    SetVersion(kxplatform::BuildVersion());
}

void CKXAboutDlg::InitDialog()
{
    m_titleLabel->setText(m_title.isEmpty() ? QStringLiteral("No Application Title") : m_title);
    m_versionLabel->setText(m_version == QLatin1String("Version: ") ? QStringLiteral("Version: No Version")
                                                                    : m_version);
    if (!m_caption.isEmpty())
        setWindowTitle(m_caption);
    else if (!m_title.isEmpty())
        setWindowTitle(m_title);
    else
        setWindowTitle(QStringLiteral("About Application Support Information"));
    if (!m_description.isEmpty()) {
        // Wrapped text gets the height it needs at the column's width.
        const int width = 340;
        m_descriptionLabel->setText(m_description);
        m_descriptionLabel->setFixedWidth(width);
        m_descriptionLabel->setMinimumHeight(m_descriptionLabel->heightForWidth(width));
        m_descriptionLabel->show();
    }
    m_mail->setText(QLatin1String(MailAddress));
    m_web->setText(QLatin1String(WebSite));
    m_support->setText(QLatin1String(SupportSite));
    adjustSize();
}

int CKXAboutDlg::exec()
{
    InitDialog();
    return QDialog::exec();
}

QPixmap CKXAboutDlg::TargetMark()
{
    // The quadrant mark painted on test dummies and vehicles.
    const int size = 64;
    QPixmap picture(size, size);
    picture.fill(CTransparentImage::TransparentColor());
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect box(4, 4, size - 8, size - 8);
    p.setPen(Qt::NoPen);
    const QColor yellow(250, 204, 21);
    const QColor black(24, 24, 24);
    p.setBrush(yellow);
    p.drawPie(box, 0 * 16, 90 * 16);
    p.drawPie(box, 180 * 16, 90 * 16);
    p.setBrush(black);
    p.drawPie(box, 90 * 16, 90 * 16);
    p.drawPie(box, 270 * 16, 90 * 16);
    p.setPen(QPen(black, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(box);
    return picture;
}

QPixmap CKXAboutDlg::CrashPulse()
{
    // A small deceleration pulse with its filtered curve.
    const int w = 120;
    const int h = 40;
    QPixmap picture(w, h);
    picture.fill(CTransparentImage::TransparentColor());
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawLine(2, h - 6, w - 2, h - 6);
    p.drawLine(4, 2, 4, h - 4);
    QPainterPath raw;
    QPainterPath smooth;
    for (int x = 0; x <= w - 10; ++x) {
        const double t = x / double(w - 10);
        const double pulse = std::sin(M_PI * t) * std::exp(-2.0 * t);
        const double noise = 0.08 * std::sin(61.0 * t) * std::sin(M_PI * t);
        const double y1 = (h - 8) - (pulse + noise) * (h - 12) * 1.3;
        const double y2 = (h - 8) - pulse * (h - 12) * 1.3;
        if (x == 0) {
            raw.moveTo(6 + x, y1);
            smooth.moveTo(6 + x, y2);
        } else {
            raw.lineTo(6 + x, y1);
            smooth.lineTo(6 + x, y2);
        }
    }
    p.setPen(QPen(QColor(0, 90, 200), 1));
    p.drawPath(raw);
    p.setPen(QPen(QColor(200, 30, 30), 2));
    p.drawPath(smooth);
    return picture;
}
