#include "gui/window_layout.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>

#include "services/settings_store.h"

namespace zel {

namespace {

const std::string kGeometryValue = "WindowGeometry";
const std::string kSplitterValue = "WindowSplitter";
const std::string kTabValue = "WindowLastTab";

constexpr int kControlsShare = 420;  // the left column's width in a fresh window
constexpr int kFreshWidth = 1000;
constexpr int kFreshHeight = 700;

QByteArray Read(ISettingsStore& store, const std::string& name) {
    auto key = store.OpenForRead();
    if (!key) return {};
    return QByteArray::fromStdString(key->ReadValue(name).value_or(std::string()));
}

}  // namespace

QSplitter* SideBySide(QWidget* controls, QWidget* pages, QWidget* parent) {
    auto* splitter = new QSplitter(Qt::Horizontal, parent);
    splitter->setObjectName(QStringLiteral("windowSplitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(controls);
    splitter->addWidget(pages);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kControlsShare, kFreshWidth - kControlsShare});
    return splitter;
}

void WindowMemory::RestoreGeometry(ISettingsStore& store) {
    const QByteArray geometry = QByteArray::fromBase64(Read(store, kGeometryValue));
    if (geometry.isEmpty() || !window_.restoreGeometry(geometry)) {
        QSize size(kFreshWidth, kFreshHeight);
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            size = size.boundedTo(screen->availableSize());
        }
        window_.resize(size);
    }
    const QByteArray division = QByteArray::fromBase64(Read(store, kSplitterValue));
    if (!division.isEmpty()) splitter_.restoreState(division);
}

void WindowMemory::RestoreTab(ISettingsStore& store) {
    const QString title = QString::fromUtf8(Read(store, kTabValue));
    for (int index = 0; index < tabs_.count(); ++index) {
        if (tabs_.tabText(index) == title) tabs_.setCurrentIndex(index);
    }
}

bool WindowMemory::Save(ISettingsStore& store) {
    auto key = store.OpenOrCreateForWrite();
    if (!key) return false;
    bool ok = key->WriteText(kGeometryValue, window_.saveGeometry().toBase64().toStdString());
    ok &= key->WriteText(kSplitterValue, splitter_.saveState().toBase64().toStdString());
    ok &= key->WriteText(kTabValue, tabs_.tabText(tabs_.currentIndex()).toStdString());
    return key->Save() && ok;
}

}  // namespace zel
