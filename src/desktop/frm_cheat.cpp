#include "desktop/frm_cheat.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>

#include "desktop/pictures.h"

namespace flakmire {

namespace {
constexpr int ClientWidth = 262;
constexpr int ClientHeight = 348;
constexpr QRect LabelPlace(8, 8, 241, 89);
constexpr qreal LabelPointSize = 30;
constexpr qreal BoxPointSize = 13.5;
constexpr QRect HiddenBoxPlace(32, 40, 178, 24);
constexpr int BoxLeft = 48, BoxWidth = 178, BoxHeight = 24;
constexpr int FirstBoxTop = 120, BoxPitch = 32;

QFont PanelFont(qreal pointSize) {
  QFont font;
  font.setFamilies({"MS Sans Serif", "Liberation Sans", "DejaVu Sans"});
  font.setPointSizeF(pointSize);
  return font;
}
}  // namespace

frmCheat::frmCheat(Cheats& cheats, QWidget* parent, InputLog& log)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      rules_(cheats, *this, log) {
  setWindowTitle("Cheats");
  setWindowIcon(Pictures::FirstLetterIcon());
  setFixedSize(ClientWidth, ClientHeight);

  Label1 = new QLabel("Cheaters Don't Win", this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(LabelPlace);
  Label1->setFont(PanelFont(LabelPointSize));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setWordWrap(true);

  for (int i = 0; i < CheatCount; ++i) {
    auto* box = new QCheckBox(this);
    box->setObjectName(QString("chkCheats%1").arg(i));
    box->setFont(PanelFont(BoxPointSize));
    box->setGeometry(i == 0
                         ? HiddenBoxPlace
                         : QRect(BoxLeft, FirstBoxTop + BoxPitch * (i - 1), BoxWidth, BoxHeight));
    // Only the player's clicks count: the panel setting a box is no click.
    connect(box, &QCheckBox::clicked, this,
            [this, i](bool checked) { rules_.chkCheats_Click(i, checked); });
    if (i > 0) setTabOrder(chkCheats[i - 1], box);
    chkCheats[i] = box;
  }
  // Box 0 stands for the cheated mark, which the player never sets.
  chkCheats[0]->hide();
  chkCheats[1]->setFocus();

  rules_.Form_Load();
}

void frmCheat::SetCaption(int index, std::string_view caption) {
  chkCheats[index]->setText(
      QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void frmCheat::SetChecked(int index, bool checked) { chkCheats[index]->setChecked(checked); }

bool frmCheat::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) rules_.Form_Activate();
  return QDialog::event(event);
}

void frmCheat::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Without a window manager the panel may never become the active window: show the switches
  // as it opens all the same.
  rules_.Form_Activate();
}

}  // namespace flakmire
