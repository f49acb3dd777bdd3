// The About window.
#include "dialogs/about_window.h"

#include "app/application.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mca::gui {

AboutWindow::AboutWindow(const AboutTexts& texts, QWidget* parent) : QDialog(parent) {
    setObjectName("aboutWindow");
    setWindowTitle(tr("About"));
    const auto label = [this](const std::string& text, const char* name) {
        auto* l = new QLabel(qs(text), this);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    auto* product = label(texts.productName, "productName");
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    product->setFont(big);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(product);
    layout->addWidget(label(texts.interfaceVersion, "interfaceVersion"));
    layout->addWidget(label(texts.firmwareVersion, "firmwareVersion"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &AboutWindow::accept);
}

void showAboutWindow(Application& app, QWidget* parent, const ModalRunner& runModal) {
    showAbout(app.workstation(), app.steps(), [&](const AboutTexts& texts) {
        AboutWindow window(texts, parent);
        runModal(window);
    });
}

}  // namespace mca::gui
