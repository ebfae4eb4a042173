#include "control/PresetTourBox.h"

#include "widgets/Lamp.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <functional>

namespace tarn {

namespace {

// The editable preset list with the hooks the panel needs: the drop-down
// (before it opens), and the end of an edit (focus leaving, or Enter while
// the list has the focus, which must not reach the window's default button).
class PresetList final : public QComboBox {
public:
    using QComboBox::QComboBox;

    std::function<void()> dropDown;
    std::function<void()> editFinished;

    void showPopup() override
    {
        if (dropDown)
            dropDown();
        QComboBox::showPopup();
    }

protected:
    void focusOutEvent(QFocusEvent* event) override
    {
        QComboBox::focusOutEvent(event);
        // Opening the list's own popup does not end the edit.
        if (event->reason() != Qt::PopupFocusReason && editFinished)
            editFinished();
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            if (editFinished)
                editFinished();
            event->accept();
            return;
        }
        QComboBox::keyPressEvent(event);
    }
};

} // namespace

PresetTourBox::PresetTourBox(PresetPanel& panel, QWidget* parent)
    : QWidget(parent)
    , m_panel(panel)
    , m_presetList(new PresetList(this))
    , m_store(new QPushButton(QStringLiteral("Store"), this))
    , m_goto(new QPushButton(QStringLiteral("Goto"), this))
    , m_storeId(new QPushButton(QStringLiteral("Store ID"), this))
    , m_getId(new QPushButton(QStringLiteral("Get ID"), this))
    , m_tourList(new QComboBox(this))
    , m_startStop(new QPushButton(QStringLiteral("Start/Stop"), this))
    , m_tourLamp(new Lamp(this))
    , m_setup(new QPushButton(QStringLiteral("Setup"), this))
{
    setObjectName(QStringLiteral("presetTourBox"));
    m_presetList->setObjectName(QStringLiteral("presetList"));
    m_store->setObjectName(QStringLiteral("storeButton"));
    m_goto->setObjectName(QStringLiteral("gotoButton"));
    m_storeId->setObjectName(QStringLiteral("storeIdButton"));
    m_getId->setObjectName(QStringLiteral("getIdButton"));
    m_tourList->setObjectName(QStringLiteral("tourList"));
    m_startStop->setObjectName(QStringLiteral("startStopButton"));
    m_tourLamp->setObjectName(QStringLiteral("tourLamp"));
    m_setup->setObjectName(QStringLiteral("tourSetupButton"));

    // Typed names replace the entry through the panel, never as new entries,
    // and nothing completes them behind the user's back.
    m_presetList->setEditable(true);
    m_presetList->setInsertPolicy(QComboBox::NoInsert);
    m_presetList->setCompleter(nullptr);
    m_presetList->setMaxVisibleItems(16);
    // Named by their groups' captions (a list reads its current entry as its
    // name otherwise); the list's edit is where a preset's name is typed.
    m_presetList->setAccessibleName(QStringLiteral("Presets"));
    m_presetList->lineEdit()->setAccessibleName(QStringLiteral("Preset name"));
    m_tourList->setAccessibleName(QStringLiteral("Tour/Sector/Privacy"));
    m_tourLamp->setAccessibleName(QStringLiteral("Tour running"));

    for (int i = 1; i <= PresetPanel::TourCount; ++i)
        m_tourList->addItem(QStringLiteral("Tour %1").arg(i));

    auto* presets = new QGroupBox(QStringLiteral("Presets"), this);
    presets->setObjectName(QStringLiteral("presetsGroup"));
    auto* presetLayout = new QGridLayout(presets);
    presetLayout->addWidget(m_presetList, 0, 0, 1, 2);
    presetLayout->addWidget(m_store, 1, 0);
    presetLayout->addWidget(m_goto, 1, 1);
    presetLayout->addWidget(m_storeId, 2, 0);
    presetLayout->addWidget(m_getId, 2, 1);

    auto* tours = new QGroupBox(QStringLiteral("Tour/Sector/Privacy"), this);
    tours->setObjectName(QStringLiteral("tourGroup"));
    auto* tourLayout = new QGridLayout(tours);
    tourLayout->addWidget(m_tourList, 0, 0, 1, 2);
    auto* startStopRow = new QHBoxLayout;
    startStopRow->addWidget(m_startStop);
    startStopRow->addWidget(m_tourLamp);
    tourLayout->addLayout(startStopRow, 1, 0);
    tourLayout->addWidget(m_setup, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(presets);
    layout->addWidget(tours);

    auto* list = static_cast<PresetList*>(m_presetList);
    list->dropDown = [this] { reselectRemembered(); };
    list->editFinished = [this] { m_panel.editFinished(m_presetList->currentText().toStdString()); };

    connect(m_presetList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_panel.selectionChanged(index); });
    connect(m_store, &QPushButton::clicked, this, [this] { m_panel.store(); });
    connect(m_goto, &QPushButton::clicked, this, [this] { m_panel.gotoPreset(); });
    connect(m_storeId, &QPushButton::clicked, this, [this] { m_panel.storeId(); });
    connect(m_getId, &QPushButton::clicked, this, [this] { m_panel.getId(); });
    connect(m_tourList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_panel.setTourIndex(index); });
    connect(m_startStop, &QPushButton::clicked, this, [this] { m_panel.startStopTour(); });
    connect(m_setup, &QPushButton::clicked, this, &PresetTourBox::setupRequested);

    m_tourList->setCurrentIndex(m_panel.tourIndex());
    m_tourLamp->setLit(m_panel.tourLampLit());
    m_panel.setListener(this);
    presetListChanged();
}

PresetTourBox::~PresetTourBox()
{
    m_panel.setListener(nullptr);
    // The edit must not reach the panel from a list that is going away.
    static_cast<PresetList*>(m_presetList)->editFinished = nullptr;
}

void PresetTourBox::setPresetControlsEnabled(bool enabled)
{
    for (QWidget* control : {static_cast<QWidget*>(m_presetList), static_cast<QWidget*>(m_store),
                             static_cast<QWidget*>(m_goto), static_cast<QWidget*>(m_storeId),
                             static_cast<QWidget*>(m_getId)})
        control->setEnabled(enabled);
}

void PresetTourBox::setTourListEnabled(bool enabled)
{
    m_tourList->setEnabled(enabled);
}

void PresetTourBox::presetListChanged()
{
    // Refilling is not the user's choice: no name request for it.
    const QSignalBlocker blocker(m_presetList);
    m_presetList->clear();
    for (const std::string& name : m_panel.names())
        m_presetList->addItem(QString::fromStdString(name));
    reselectRemembered();
}

void PresetTourBox::reselectRemembered()
{
    const QSignalBlocker blocker(m_presetList);
    const int index = m_panel.rememberedIndex();
    m_presetList->setCurrentIndex(index);
    m_presetList->setEditText(m_presetList->itemText(index));
}

void PresetTourBox::tourLampChanged(bool lit)
{
    m_tourLamp->setLit(lit);
}

} // namespace tarn
