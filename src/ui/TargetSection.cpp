#include "ui/TargetSection.h"

#include "ui/Lan.h"
#include "ui/LinkLabel.h"
#include "ui/NamedWidgets.h"
#include "ui/ShownText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace morvane {

TargetSection::TargetSection(QVBoxLayout* root, QWidget* form, Actions actions) {
    // The picker and its read-out.
    auto* target = new QGridLayout;
    target->setHorizontalSpacing(10);
    target->setVerticalSpacing(3);
    m_imgSelect = NewLabel(QStringLiteral("imgSelect"), QString(), form);
    m_imgSelect->setFixedSize(36, 36);
    m_imgSelect->setAlignment(Qt::AlignCenter);
    m_cmdPickLater = new QPushButton(form);
    m_cmdPickLater->setObjectName(QStringLiteral("cmdPickLater"));
    m_cmdPickLater->setAutoDefault(false);
    m_lblSelect =
        NewLabel(QStringLiteral("lblSelect"),
                 QStringLiteral("Drag this Cursor onto a running Program Window to Select:"), form);
    m_lblSelect->setWordWrap(true);
    m_lblDrag = new LinkLabel(QStringLiteral("lblDrag"), QStringLiteral("What's This?"), form);

    m_lblProcess[0] =
        NewLabel(QStringLiteral("lblProcess0"), QStringLiteral("Program Name:"), form);
    m_lblProcess[1] = NewLabel(QStringLiteral("lblProcess1"), QString(), form);
    m_lblProcess[2] =
        NewLabel(QStringLiteral("lblProcess2"), QStringLiteral("Window Title:"), form);
    m_lblProcess[3] = NewLabel(QStringLiteral("lblProcess3"), QStringLiteral("Process ID:"), form);
    m_lblID = NewLabel(QStringLiteral("lblID"), QString(), form);
    m_lblWindow = NewLabel(QStringLiteral("lblWindow"), QString(), form);
    m_lblWindow->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (QLabel* value : {m_lblProcess[1], m_lblID}) {
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
    }
    m_picIcon = NewLabel(QStringLiteral("picIcon"), QString(), form);
    m_picIcon->setFixedSize(PickTargetView::kPictureSize);

    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(kIconGap);
    nameRow->addWidget(m_lblProcess[1]);
    nameRow->addWidget(m_picIcon);
    nameRow->addStretch(1);

    auto* selectRow = new QHBoxLayout;
    selectRow->addWidget(m_lblSelect, 1);
    selectRow->addWidget(m_lblDrag, 0, Qt::AlignTop);
    target->addWidget(m_imgSelect, 0, 0, 4, 1, Qt::AlignTop);
    target->addLayout(selectRow, 0, 1, 1, 2);
    target->addWidget(m_lblProcess[0], 1, 1);
    target->addLayout(nameRow, 1, 2);
    target->addWidget(m_lblProcess[3], 2, 1);
    target->addWidget(m_lblID, 2, 2);
    target->addWidget(m_lblProcess[2], 3, 1);
    target->addWidget(m_lblWindow, 3, 2);
    target->addWidget(m_cmdPickLater, 1, 3, Qt::AlignRight | Qt::AlignVCenter);
    target->setColumnStretch(2, 1);
    target->setRowMinimumHeight(1, 32);
    root->addLayout(target);

    // The running programs.
    m_lblPrograms = NewLabel(QStringLiteral("lblPrograms"),
                             QStringLiteral("Or Choose a Program from the List:"), form);
    root->addWidget(m_lblPrograms);
    auto* listRow = new QHBoxLayout;
    m_LV = new ProcessListView(form);
    listRow->addWidget(m_LV, 1);
    auto* listButtons = new QVBoxLayout;
    m_cmdRefresh = new QToolButton(form);
    m_cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    m_cmdRefresh->setIcon(QIcon(QStringLiteral(":/icons/refresh.svg")));
    m_cmdClose = new QToolButton(form);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setIcon(QIcon(QStringLiteral(":/icons/closenow.svg")));
    for (QToolButton* b : {m_cmdRefresh, m_cmdClose}) {
        b->setIconSize(QSize(22, 22));
        b->setFixedSize(34, 34);
        listButtons->addWidget(b);
    }
    listButtons->addStretch(1);
    listRow->addLayout(listButtons);
    root->addLayout(listRow, 1);

    QObject::connect(m_cmdPickLater, &QPushButton::clicked, form, std::move(actions.pickLater));
    QObject::connect(m_lblDrag, &LinkLabel::clicked, form, std::move(actions.tutorial));
    QObject::connect(m_cmdRefresh, &QToolButton::clicked, form, std::move(actions.refresh));
    QObject::connect(m_cmdClose, &QToolButton::clicked, form, std::move(actions.closeNow));
    QObject::connect(m_LV, &ProcessListView::programChosen, form, std::move(actions.programChosen));
}

void TargetSection::Retranslate() {
    ShowPickCountdown(m_pickSecondsLeft);
    m_cmdPickLater->setToolTip(tr("Press, then point at a program's window within three "
                                  "seconds: the window under the pointer is picked."));
    m_imgSelect->setAccessibleName(tr("Target picker"));
    m_imgSelect->setAccessibleDescription(
        tr("Drag it onto a program's window to pick that program, or use the button that "
           "picks the window under the pointer in 3 seconds."));
    m_picIcon->setAccessibleName(tr("Picture of the chosen program"));
    m_cmdRefresh->setToolTip(tr("Refresh The List"));
    m_cmdRefresh->setAccessibleName(tr("Refresh The List"));
    m_cmdClose->setToolTip(tr("Close the Selected Program Now"));
    m_cmdClose->setAccessibleName(tr("Close the Selected Program Now"));
    m_LV->setAccessibleName(tr("Running programs"));
    m_LV->setHeaderLabels({tr("Icon"), tr("Program"), tr("Path")});
}

void TargetSection::UpdateLan(const LanguageTable& lan) {
    m_dragCaption = Lan(lan, LanText::DragToSelect);
    ShowSelectCaption();
    m_lblDrag->SetCaption(Lan(lan, LanText::WhatsThis));
    m_lblProcess[0]->setText(Lan(lan, LanText::ProgramName));
    m_lblProcess[3]->setText(Lan(lan, LanText::ProcessId));
    m_lblProcess[2]->setText(Lan(lan, LanText::WindowTitle));
    m_lblPrograms->setText(Lan(lan, LanText::ChooseFromList));
}

void TargetSection::SetPickable(bool pickable, const QString& why) {
    m_imgSelect->setEnabled(pickable);
    m_cmdPickLater->setEnabled(pickable);
    m_imgSelect->setToolTip(why);
    m_lblSelect->setToolTip(why);
    m_notPickableWhy = why;
    ShowSelectCaption();
    // The button keeps its own help while nothing stands in the way.
    if (!why.isEmpty()) {
        m_cmdPickLater->setToolTip(why);
    }
}

void TargetSection::ShowSelectCaption() {
    // Where windows cannot be picked, asking to drag would only puzzle: the reason is said.
    m_lblSelect->setText(m_notPickableWhy.isEmpty() ? m_dragCaption : m_notPickableWhy);
}

void TargetSection::ShowPickCountdown(int secondsLeft) {
    m_pickSecondsLeft = secondsLeft;
    m_cmdPickLater->setText(
        secondsLeft > 0 ? tr("Picking the window under the pointer in %1 s").arg(secondsLeft)
                        : tr("Pick the window under the pointer in 3 s"));
}

void TargetSection::SetTarget(const EditorTarget& target) {
    m_target = target;
    m_lblProcess[1]->setText(ShownText(target.program));
    m_lblID->setText(target.id);
    PlaceTargetIcon();
}

PickTargetView::ReadOut TargetSection::ShownReadOut() const {
    return {m_target, m_lblProcess[2]->text(), m_lblWindow->text(), !m_lblWindow->isHidden()};
}

void TargetSection::ShowReadOut(const PickTargetView::ReadOut& readOut) {
    SetTarget(readOut.target);
    m_lblProcess[2]->setText(readOut.caption);
    m_lblWindow->setText(readOut.detail);
    m_lblWindow->setVisible(readOut.detailShown);
}

void TargetSection::SetTargetIcon(const QIcon& icon) {
    m_targetIcon = icon;
    m_picIcon->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(PickTargetView::kPictureSize));
}

void TargetSection::SetPrograms(const QList<ProcessListView::Row>& rows) {
    m_LV->SetRows(rows);
}

void TargetSection::SelectProgramRow(int row) {
    m_LV->SelectRow(row);
    m_LV->setFocus();
}

void TargetSection::SetListEnabled(bool enabled) {
    m_LV->setEnabled(enabled);
}

void TargetSection::SetShort(bool isShort) {
    m_short = isShort;
    m_cmdRefresh->setHidden(isShort);
    m_cmdClose->setHidden(isShort);
}

int TargetSection::ListCaptionTop() const {
    return m_lblPrograms->geometry().top();
}

void TargetSection::PlaceTargetIcon() {
    if (!m_short) {
        return;
    }
    QLabel* name = m_lblProcess[1];
    name->resize(name->sizeHint().width(), name->height());
    m_picIcon->move(name->geometry().right() + 1 + kIconGap, m_picIcon->y());
}

} // namespace morvane
