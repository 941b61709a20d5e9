#pragma once
// A fresh program (action module and main window) per test, with its program
// folder in a temporary directory and every modal run answered by script.
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/program.h"
#include "app/programvalues.h"
#include "support/scriptedmodal.h"

namespace mira::test {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program as the command line would (the main window is created, not shown).
    void start(const QStringList &arguments = {});
    // Writes a file into the program folder; returns its full path.
    QString writeFile(const QString &name, const QByteArray &content);
    QByteArray readFile(const QString &path) const;
    QString folder() const { return programValues().programFolder; }

    TAppControlModule *module() const { return program->module.get(); }
    TBaseForm *form() const { return program->form.get(); }

    QTemporaryDir dir;
    ScriptedModal modal;
    std::unique_ptr<ProgramInstance> program;

private:
    ProgramValues savedValues;
};

} // namespace mira::test
