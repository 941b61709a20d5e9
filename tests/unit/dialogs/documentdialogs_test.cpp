// The save dialog of a page names the file after the page and tells which form the
// user chose; a cancelled dialog chooses nothing.
#include <QFileDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "dialogs/documentdialogs.h"
#include "support/scriptedmodal.h"

using namespace mira;

namespace {

// Accepts the save dialog as it is, with the filter whose caption starts with prefix.
int acceptWithFilter(ModalRecord &record, const QString &prefix)
{
    auto *dialog = static_cast<QFileDialog *>(record.dialog);
    for (const QString &filter : dialog->nameFilters())
        if (filter.startsWith(prefix))
            dialog->selectNameFilter(filter);
    return QDialog::Accepted;
}

} // namespace

TEST(SavePageDialog, TheChosenFilterIsTheForm)
{
    QTemporaryDir dir;
    const struct {
        QString filter;
        SavePageForm form;
    } cases[] = {
        {QStringLiteral("Web Page, complete"), SavePageForm::Complete},
        {QStringLiteral("Web Archive"), SavePageForm::Archive},
        {QStringLiteral("Web Page, HTML only"), SavePageForm::HtmlOnly},
        {QStringLiteral("Text File"), SavePageForm::Text},
    };
    for (const auto &c : cases) {
        test::ScriptedModal modal;
        modal.answerWith([&](ModalRecord &record) {
            static_cast<QFileDialog *>(record.dialog)->setDirectory(dir.path());
            return acceptWithFilter(record, c.filter);
        });
        const SavePageChoice choice = AskSavePagePath(nullptr, QStringLiteral("News"));
        EXPECT_EQ(choice.form, c.form) << c.filter.toStdString();
        EXPECT_TRUE(choice.path.contains(QStringLiteral("/News."))) << choice.path.toStdString();
    }
}

TEST(SavePageDialog, TheFileNameLosesWhatNoFileNameMayHold)
{
    test::ScriptedModal modal;
    QString suggested;
    modal.answerWith([&suggested](ModalRecord &record) {
        suggested = static_cast<QFileDialog *>(record.dialog)->selectedFiles().value(0);
        return int(QDialog::Rejected);
    });
    const SavePageChoice choice = AskSavePagePath(nullptr, QStringLiteral(" a/b:c*? "));
    EXPECT_TRUE(choice.path.isEmpty());
    EXPECT_TRUE(suggested.endsWith(QStringLiteral("/a_b_c__.html"))) << suggested.toStdString();

    modal.answerWith([&suggested](ModalRecord &record) {
        suggested = static_cast<QFileDialog *>(record.dialog)->selectedFiles().value(0);
        return int(QDialog::Rejected);
    });
    AskSavePagePath(nullptr, QStringLiteral("   "));
    EXPECT_TRUE(suggested.endsWith(QStringLiteral("/page.html"))) << suggested.toStdString();
}
