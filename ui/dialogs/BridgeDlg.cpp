#include "ui/dialogs/BridgeDlg.h"

#include "core/bounds/Bounds.h"
#include "ui/dialogs/ControlIds.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>
#include <stdexcept>

CConfigButtons::CConfigButtons(QWidget* pParent, int* pnConfig) : m_pnConfig(pnConfig)
{
    auto* pGroup = new QGroupBox(QStringLiteral("Configuration"), pParent);
    auto* pLayout = new QGridLayout(pGroup);
    m_pButtons = new QButtonGroup(pGroup);
    // The three-span arrangement is not three equal spans: each button has its spans under
    // it, lined up with the button's text.
    const char* texts[] = {"One span", "Two span", "Three span"};
    const int indent = pGroup->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, pGroup) +
                       pGroup->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, pGroup);
    for (int i = 0; i < 3; ++i) {
        auto* pButton = new QRadioButton(QString::fromLatin1(texts[i]), pGroup);
        SetCtrlId(pButton, IDC_CONFIG_ONE_SPAN + i);
        m_pButtons->addButton(pButton, i + 1);
        pLayout->addWidget(pButton, 0, i);
        m_pSpans[i] = new QLabel(QString::fromLatin1(kSpans[i]), pGroup);
        m_pSpans[i]->setObjectName(QStringLiteral("configSpans%1").arg(i + 1));
        m_pSpans[i]->setIndent(indent);
        pLayout->addWidget(m_pSpans[i], 1, i);
    }
    m_pHelp = new QLabel(QString::fromLatin1(kConfigHelp), pGroup);
    m_pHelp->setObjectName(QStringLiteral("configHelp"));
    m_pHelp->setWordWrap(true);
    pLayout->addWidget(m_pHelp, 2, 0, 1, 3);
    m_pGroup = pGroup;
}

QRadioButton* CConfigButtons::Button(int nConfig) const
{
    return qobject_cast<QRadioButton*>(m_pButtons->button(nConfig));
}

void CConfigButtons::ShowConfig()
{
    if (QRadioButton* pButton = Button(*m_pnConfig)) {
        pButton->setChecked(true);
        return;
    }
    // An exclusive group keeps one button on; a custom arrangement shows none.
    m_pButtons->setExclusive(false);
    for (QAbstractButton* b : m_pButtons->buttons())
        b->setChecked(false);
    m_pButtons->setExclusive(true);
}

CBridgeDlg::CBridgeDlg(QWidget* pParent)
    : CQELDialog(312, QStringLiteral("Define Bridge"), pParent), m_config(this, &m_nConfig)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pForm = new QFormLayout;
    m_editSpanLength = new QLineEdit(this);
    SetCtrlId(m_editSpanLength, IDC_SPAN_LENGTH);
    AddDescriptionAndId(pForm, this, QStringLiteral("Description:"), m_editDescription, m_editID);
    pForm->addRow(QStringLiteral("Span length (m)"), m_editSpanLength);
    pLayout->addLayout(pForm);
    pLayout->addWidget(m_config.Group());
    AddOkCancel(pLayout);
    m_btnOneSpan = m_config.Button(BC_ONESPAN);

    ConnectChange(m_editDescription);
    ConnectChange(m_editSpanLength);
    connect(m_config.Buttons(), &QButtonGroup::idClicked, this, &CBridgeDlg::OnConfig);
    // A description typed by the user is kept from then on.
    connect(m_editDescription, &QLineEdit::textEdited, this, [this] { m_bDescriptionFollows = false; });
    connect(m_editSpanLength, &QLineEdit::textEdited, this, &CBridgeDlg::FollowSpans);
}

std::wstring CBridgeDlg::DefaultDescription(double dSpanLength, int nConfig)
{
    const wchar_t* arrangement = nConfig == BC_TWOSPAN     ? L" m two span"
                                 : nConfig == BC_THREESPAN ? L" m three span"
                                                           : L" m single span";
    return FormatFieldDouble(dSpanLength) + arrangement;
}

void CBridgeDlg::FollowSpans()
{
    if (!m_bDescriptionFollows || !m_config.Button(m_nConfig))
        return;
    m_sDescription = DefaultDescription(m_dSpanLength, m_nConfig);
    m_editDescription->setText(QString::fromStdWString(m_sDescription));
}

void CBridgeDlg::SetBridge(std::shared_ptr<CBridge> pBridge)
{
    m_spBridge = std::move(pBridge);
    m_sDescription = m_spBridge->GetDescription();
    m_nID = m_spBridge->m_ID;
    m_dSpanLength = m_spBridge->m_SpanLength;
    m_nConfig = m_spBridge->m_Config;
}

std::shared_ptr<CBridge> CBridgeDlg::GetBridge() const
{
    return m_spBridge ? std::make_shared<CBridge>(*m_spBridge) : nullptr;
}

void CBridgeDlg::OnInitDialog()
{
    m_config.ShowConfig();
    load();
    m_bCanEdit = m_spBridge ? m_spBridge->m_bIsEditable : true;
    m_bDescriptionFollows =
        m_bCanEdit && (m_sDescription.empty() || m_sDescription == DefaultDescription(m_dSpanLength, m_nConfig));
    m_editDescription->setEnabled(m_bCanEdit);
    m_btnOneSpan->setEnabled(m_bCanEdit);
    // A custom bridge keeps its own spans, which no single span length describes: the
    // length is typed only once an arrangement that is built from it is chosen.
    m_editSpanLength->setEnabled(m_bCanEdit && m_config.Button(m_nConfig));
}

void CBridgeDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(m_editDescription, m_sDescription);
    dx.Int(m_editID, m_nID);
    dx.Double(m_editSpanLength, m_dSpanLength);
}

void CBridgeDlg::OnConfig(int nConfig)
{
    m_nConfig = nConfig;
    if (m_bCanEdit)
        m_editSpanLength->setEnabled(true);
    FollowSpans();
}

bool CBridgeDlg::OnOK()
{
    if (!save())
        return false;
    if (!m_bCanEdit)
        return true;
    if (!m_config.Button(m_nConfig)) {
        // No arrangement chosen for a custom bridge: it keeps its spans and beam.
        auto pBridge = m_spBridge ? std::make_shared<CBridge>(*m_spBridge) : std::make_shared<CBridge>();
        pBridge->m_Description = m_sDescription;
        m_spBridge = pBridge;
        return true;
    }
    if (!InBound(Bounds::Span, m_dSpanLength)) {
        CDataExchange dx(true);
        dx.Fail(m_editSpanLength, BoundRefusal(Bounds::Span, m_dSpanLength, L"The span length") + L".");
        return false;
    }
    try {
        m_spBridge = CBridge::Create(m_nID, m_sDescription, static_cast<BridgeConfig>(m_nConfig), m_dSpanLength);
    } catch (const std::runtime_error& e) {
        ShowRefusal(e);
        return false;
    }
    return true;
}
