// The Data Mapping page: building its grid with the 93 field rows, and the
// Display Field Names toggle that rewrites them all, against the same
// number of plain two-column rows in a Qt tree widget built and renamed
// with redrawing suspended in the same way. Every iteration ends with the
// window's pending layout and painting, on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QTreeWidget>

#include "bench/support/ratio_reporter.h"
#include "host_standin/release_setup_data.h"
#include "model/setup_model.h"
#include "setup/qt/mapping_page_widget.h"

namespace {

using veldmark::SetupModel;

// A loaded model over a document class with a few stored links.
struct LoadedModel {
    LoadedModel() {
        standin::DocumentClass stored;
        stored.indexFields = {{u"Invoice Number", u""}, {u"Supplier", u""}};
        stored.hostValueNames = {u"Batch Name"};
        stored.links = {{u"Invoice Number", 0, u"AIP32.INVN32"}, {u"3", 1, u"AIP32.RTYP32"}};
        setupData = kfx::ComPtr<kfx::IReleaseSetupData>(
            standin::MakeHostObject<standin::ReleaseSetupData>(nullptr, stored, nullptr).Get());
        model.BuildFieldCatalogue();
        model.LoadSetupProperties();
        model.LoadLinks();
        model.LoadValueNames();
    }

    kfx::ComPtr<kfx::IReleaseSetupData> setupData;
    SetupModel model{setupData};
};

LoadedModel& Loaded() {
    static LoadedModel loaded;
    return loaded;
}

// A visible window of the page's size that the page or the tree sits in.
struct Window {
    Window() {
        host.resize(620, 430);
        host.show();
        QCoreApplication::processEvents();
    }
    QWidget host;
};

int Prompt(const kfx::Text&, const kfx::Text&, const kfx::Text&, const kfx::Text&) { return 1; }

void FillPlainRows(QTreeWidget& tree, bool destinations) {
    const SetupModel& model = Loaded().model;
    tree.setUpdatesEnabled(false);
    QTreeWidgetItem* header = new QTreeWidgetItem(&tree, QStringList{"Header Details"});
    QTreeWidgetItem* lines = new QTreeWidgetItem(&tree, QStringList{"Line Item Details"});
    for (std::size_t slot = 0; slot < veldmark::kCatalogueFields; ++slot) {
        const veldmark::MappedField& field = model.catalogue[slot];
        const QString name = QString::fromStdU16String(destinations ? field.destination : field.label);
        new QTreeWidgetItem(field.group == veldmark::Header ? header : lines,
                            QStringList{name, QString::fromStdU16String(field.source)});
    }
    header->setExpanded(true);
    lines->setExpanded(true);
    tree.setUpdatesEnabled(true);
}

void BM_baseline_plain_tree_rows(benchmark::State& state) {
    Window window;
    for (auto _ : state) {
        QTreeWidget tree(&window.host);
        tree.setColumnCount(2);
        tree.setGeometry(0, 0, 600, 390);
        tree.show();
        FillPlainRows(tree, false);
        QCoreApplication::processEvents();
    }
}

void BM_mapping_page_build(benchmark::State& state) {
    Window window;
    for (auto _ : state) {
        veldmark::MappingPageWidget page(Loaded().model, Prompt, &window.host);
        page.show();
        page.OnCreate();
        page.OnSetActive();
        QCoreApplication::processEvents();
    }
}

void BM_plain_tree_rename(benchmark::State& state) {
    Window window;
    QTreeWidget tree(&window.host);
    tree.setColumnCount(2);
    tree.setGeometry(0, 0, 600, 390);
    tree.show();
    FillPlainRows(tree, false);
    QCoreApplication::processEvents();
    const SetupModel& model = Loaded().model;
    bool destinations = false;
    for (auto _ : state) {
        destinations = !destinations;
        tree.setUpdatesEnabled(false);
        for (int group = 0; group < tree.topLevelItemCount(); ++group) {
            QTreeWidgetItem* groupItem = tree.topLevelItem(group);
            const std::size_t first = group == 0 ? 0 : veldmark::kHeaderFields;
            for (int row = 0; row < groupItem->childCount(); ++row) {
                const veldmark::MappedField& field = model.catalogue[first + static_cast<std::size_t>(row)];
                groupItem->child(row)->setText(
                    0, QString::fromStdU16String(destinations ? field.destination : field.label));
                groupItem->child(row)->setText(1, QString::fromStdU16String(field.source));
            }
        }
        tree.setUpdatesEnabled(true);
        QCoreApplication::processEvents();
    }
}

void BM_mapping_page_display_toggle(benchmark::State& state) {
    Window window;
    veldmark::MappingPageWidget page(Loaded().model, Prompt, &window.host);
    page.show();
    page.OnCreate();
    page.OnSetActive();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        page.DisplayFieldNamesBox()->click();
        QCoreApplication::processEvents();
    }
}

BENCHMARK(BM_baseline_plain_tree_rows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_mapping_page_build)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_plain_tree_rename)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_mapping_page_display_toggle)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // Benchmarks run without a display unless one is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return benchsupport::RunWithRatios(argc, argv, "BM_baseline");
}
