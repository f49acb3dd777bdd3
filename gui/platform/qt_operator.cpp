// The operator through Qt's standard dialogs.
#include "qt_operator.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace mca {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QMessageBox::StandardButton standardButton(Answer a) {
    switch (a) {
        case Answer::Ok: return QMessageBox::Ok;
        case Answer::Yes: return QMessageBox::Yes;
        case Answer::No: return QMessageBox::No;
        case Answer::Abort: return QMessageBox::Abort;
        case Answer::Cancel: return QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QString titleOr(const std::string& title) {
    return title.empty() ? QApplication::applicationDisplayName() : qs(title);
}

// The folder with the proposed name, as the dialog's starting point.
QString startPath(const FileChoice& c) {
    if (c.fileName.empty()) return qs(c.folder);
    if (c.folder.empty()) return qs(c.fileName);
    return QDir(qs(c.folder)).filePath(qs(c.fileName));
}

}  // namespace

QString qtFilter(const std::string& filter) {
    // Windows filters alternate description and pattern: "A (*.a)|*.a|B (*.b)|*.b".
    const QStringList parts = qs(filter).split(QLatin1Char('|'));
    QStringList descriptions;
    for (int i = 0; i < parts.size(); i += 2) descriptions << parts[i];
    return descriptions.join(QStringLiteral(";;"));
}

void QtOperator::message(const std::string& text, const std::string& title, MessageKind kind) {
    const QMessageBox::Icon icon = kind == MessageKind::Error     ? QMessageBox::Critical
                                   : kind == MessageKind::Warning ? QMessageBox::Warning
                                                                  : QMessageBox::Information;
    QMessageBox box(icon, titleOr(title), qs(text), QMessageBox::Ok, m_parent);
    box.exec();
}

Answer QtOperator::question(const std::string& text, const std::string& title, const Buttons& buttons) {
    const Buttons offered = buttons.empty() ? Buttons{Answer::Ok} : buttons;
    QMessageBox box(QMessageBox::Question, titleOr(title), qs(text), QMessageBox::NoButton, m_parent);
    for (Answer a : offered) box.addButton(standardButton(a));
    box.setEscapeButton(box.button(standardButton(offered.back())));
    box.exec();
    const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
    for (Answer a : offered) {
        if (standardButton(a) == pressed) return a;
    }
    return offered.back();
}

std::optional<std::string> QtOperator::chooseOpenFile(const FileChoice& c) {
    const QString path = QFileDialog::getOpenFileName(m_parent, qs(c.title), startPath(c), qtFilter(c.filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtOperator::chooseSaveFile(const FileChoice& c) {
    QFileDialog dialog(m_parent, qs(c.title), qs(c.folder), qtFilter(c.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(qs(c.defaultSuffix));
    if (!c.fileName.empty()) dialog.selectFile(qs(c.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtOperator::inputText(const std::string& title, const std::string& prompt,
                                                 const std::string& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, titleOr(title), qs(prompt), QLineEdit::Normal, qs(initial), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

std::optional<ColourRef> QtOperator::chooseColour(ColourRef initial) {
    const QColor start(static_cast<int>(initial & 0xFF), static_cast<int>((initial >> 8) & 0xFF),
                       static_cast<int>((initial >> 16) & 0xFF));
    const QColor c = QColorDialog::getColor(start, m_parent);
    if (!c.isValid()) return std::nullopt;
    return static_cast<ColourRef>(c.red()) | static_cast<ColourRef>(c.green()) << 8 |
           static_cast<ColourRef>(c.blue()) << 16;
}

void QtOperator::beep() { QApplication::beep(); }

}  // namespace mca
