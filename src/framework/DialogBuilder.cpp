// Builds a dialog's controls and menu from its template.
#include "framework/Dialog.h"

#include "framework/Icon.h"
#include "framework/ListCtrl.h"
#include "framework/ListView.h"
#include "framework/ProgressBar.h"
#include "framework/TextFit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace kestrune {

namespace {

// A closed combo box is no taller than an edit of the usual 14 dialog units.
constexpr int kComboHeight = 14;

QString Text(const ControlTemplate& t)
{
    return t.text ? QString::fromUtf8(t.text) : QString();
}

// A label's text as read aloud: without its access-key marks ("&&" is a real "&").
QString WithoutAccessKey(const QString& text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}

QPushButton* NewPushButton(const ControlTemplate& t, QWidget* parent)
{
    auto* button = new QPushButton(Text(t), parent);
    // Enter is the dialog's business (see CDialog::OnEnterKey), not the focused button's.
    button->setAutoDefault(false);
    return button;
}

QWidget* NewControl(const ControlTemplate& t, QWidget* parent)
{
    switch (t.kind) {
    case ControlKind::PushButton: {
        QPushButton* button = NewPushButton(t, parent);
        button->setDefault(t.style & cs::Default);
        return button;
    }
    case ControlKind::CheckBox:
        if (t.style & cs::PushLike) {
            QPushButton* button = NewPushButton(t, parent);
            button->setCheckable(true);
            return button;
        }
        return new QCheckBox(Text(t), parent);
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(parent);
        edit->setMaxLength(std::numeric_limits<int>::max());  // Qt's default of 32767 would cut long tag texts
        if (t.style & cs::DigitsOnly)
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        return edit;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);  // Enter adds nothing to the list
        combo->lineEdit()->setMaxLength(std::numeric_limits<int>::max());  // as for an edit
        return combo;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setText(Text(t));
        return label;
    }
    case ControlKind::Icon: {
        auto* label = new QLabel(parent);
        const int size = label->style()->pixelMetric(QStyle::PM_LargeIconSize);
        label->setPixmap(LoadIcon(t.ref).pixmap(QSize(size, size), label->devicePixelRatioF()));
        label->setFixedSize(size, size);
        return label;
    }
    case ControlKind::ListView:
        return new ListView(parent);
    case ControlKind::ProgressBar:
        return new ProgressBar(parent);
    case ControlKind::TreeView: {
        auto* tree = new QTreeWidget(parent);
        tree->setHeaderHidden(true);
        tree->setRootIsDecorated(true);
        tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        tree->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        return tree;
    }
    }
    return new QWidget(parent);
}

}  // namespace

void CDialog::Build()
{
    const DialogTemplate& t = *m_pTemplate;
    setWindowTitle(QString::fromUtf8(t.caption));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if (t.style & ds::Child)
        flags |= Qt::FramelessWindowHint;
    else
        flags |= Qt::WindowTitleHint;
    if (t.style & ds::SystemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    setWindowFlags(flags);

    // "MS Shell Dlg" is Windows' name for the system's dialog font; here that is the font the
    // controls are drawn with, so their texts and the layout are measured alike.
    m_units = DialogUnits(font());
    const QSize client(m_units.X(t.cx), m_units.Y(t.cy));
    int top = 0;
    if (t.menuId) {
        BuildMenu();
        top = m_pMenu->sizeHint().height();
        m_pMenu->setGeometry(0, 0, client.width(), top);
    }

    m_controls.reserve(t.controls.size());
    for (const ControlTemplate& ct : t.controls) {
        QWidget* w = NewControl(ct, this);
        QRect rect = m_units.Rect(ct.x, ct.y, ct.cx, ct.cy).translated(0, top);
        if (ct.kind == ControlKind::ComboBox)  // the template's height is the dropped-down list's
            rect.setHeight(std::min(w->sizeHint().height(), m_units.Y(kComboHeight)));
        else if (ct.kind == ControlKind::Icon)
            rect.setSize(w->size());
        w->setGeometry(rect);
        if (ct.accessibleName)
            w->setAccessibleName(QString::fromUtf8(ct.accessibleName));
        if (!(ct.style & cs::TabStop) && w->focusPolicy() != Qt::NoFocus)
            w->setFocusPolicy(Qt::ClickFocus);
        if (auto* button = qobject_cast<QPushButton*>(w); button && (ct.style & cs::Default))
            m_pDefaultButton = button;
        m_controls.push_back({ct.id, &ct, w});
        if (ct.id != IDC_STATIC)
            m_byId[ct.id] = w;
    }

    std::vector<PlacedControl> placed;
    for (const Control& c : m_controls) {
        ConnectControl(c);
        const ControlTemplate& ct = *c.tmpl;
        // A label introduces its control: screen readers name the control after it (through the
        // name, and through the buddy, the label relation of Linux), and its access key moves there.
        if (ct.kind == ControlKind::Label && ct.ref && ct.text) {
            QWidget* named = GetDlgItem(ct.ref);
            if (named && named->accessibleName().isEmpty())
                named->setAccessibleName(WithoutAccessKey(Text(ct)));
            if (!(ct.style & cs::NoPrefix))
                static_cast<QLabel*>(c.widget)->setBuddy(named);
        }
        placed.push_back({c.tmpl, c.widget});
    }
    FitTexts(placed, client.width(), top);

    QWidget* previous = nullptr;
    for (const Control& c : m_controls) {
        if (c.widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, c.widget);
        previous = c.widget;
    }

    setFixedSize(client.width(), client.height() + top);
    if (t.style & ds::Disabled)
        setEnabled(false);
}

void CDialog::ConnectControl(const Control& c)
{
    const int id = c.id;
    if (id == IDC_STATIC)
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(c.widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] { SendCommand(id); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(c.widget)) {
        connect(edit, &QLineEdit::textChanged, this, [this, id] {
            ForgetShown(id);  // before a handler could show again
            MessageArgs args;
            Dispatch(Msg::EditChange, id, args);
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(c.widget)) {
        connect(combo, &QComboBox::editTextChanged, this, [this, id] { ForgetShown(id); });
    } else if (auto* list = qobject_cast<ListView*>(c.widget)) {
        connect(list, &ListView::itemChanged, this, [this, id](int item, unsigned oldState, unsigned newState) {
            NMLISTVIEW nm;
            nm.hdr = {id, LVN_ITEMCHANGED};
            nm.iItem = item;
            nm.uOldState = oldState;
            nm.uNewState = newState;
            SendNotify(nm.hdr);
        });
        connect(list, &ListView::itemActivated, this, [this, id](int item) {
            NMITEMACTIVATE nm;
            nm.hdr = {id, LVN_ITEMACTIVATE};
            nm.iItem = item;
            SendNotify(nm.hdr);
        });
        connect(list, &ListView::keyDown, this, [this, id](int key) {
            NMLVKEYDOWN nm;
            nm.hdr = {id, LVN_KEYDOWN};
            nm.wVKey = VirtualKeyOf(key);
            SendNotify(nm.hdr);
        });
    }
}

void CDialog::BuildMenu()
{
    const MenuTemplate* menu = FindMenuTemplate(m_pTemplate->menuId);
    if (!menu)
        throw std::logic_error("no menu " + std::to_string(m_pTemplate->menuId));
    m_pMenu = new QMenuBar(this);
    m_pMenu->setNativeMenuBar(false);  // the menu belongs to the dialog's client area, as on Windows
    for (const MenuPopupTemplate& popup : menu->popups) {
        QMenu* qmenu = m_pMenu->addMenu(QString::fromUtf8(popup.text));
        for (const MenuItemTemplate& item : popup.items) {
            if (!item.id) {
                qmenu->addSeparator();
                continue;
            }
            QAction* action = qmenu->addAction(QString::fromUtf8(item.text));
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { SendCommand(id); });
            m_commands[id] = action;
        }
    }
}

}  // namespace kestrune
