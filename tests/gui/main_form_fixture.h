#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "../support/virtual_clock.h"
#include "control_colours.h"
#include "dialog_service.h"
#include "labeled_edit.h"
#include "led.h"
#include "main_form.h"
#include "port_names.h"
#include "pty_host.h"
#include "radio_group.h"
#include "parameter_view.h"
#include "sensor_session.h"
#include "sensor_test_controller.h"
#include "sensor_update.h"
#include "supervision.h"
#include "ui_main_form.h"

// Queues the answer to the next modal form, which must be a Form: any other form fails the
// test and is left unanswered.
template <class Form, class Action> void AnswerForm(ScriptedDialogService& dialogs, Action action)
{
    dialogs.forms.push_back([action = std::move(action)](QDialog& shown) mutable {
        auto* form = qobject_cast<Form*>(&shown);
        ASSERT_NE(form, nullptr) << "expected " << Form::staticMetaObject.className() << ", shown "
                                 << shown.metaObject()->className();
        action(*form);
    });
}

// The real main window attached to the simulated sensor on COM 97, with the protocol's
// waits in virtual time and every message box and form answered from a script.
class MainWindow : public ::testing::Test {
protected:
    static constexpr int Port = 97;

    void SetUp() override
    {
        std::filesystem::remove_all(PortFolder());
        std::filesystem::create_directories(PortFolder());
        QSettings("QOR", "SSI Tesmira").clear();
    }
    void TearDown() override
    {
        form.reset();
        if (host)
            host->Stop();
    }

    void AttachSensor(const sim::SensorSettings& settings = {})
    {
        host = std::make_unique<sim::PtyHost>(settings);
        host->Start();
        host->LinkAsPort(Port);
    }
    static void StoreSettings(int language, std::optional<int> port, const QString& factoryKey = {})
    {
        QSettings store("QOR", "SSI Tesmira");
        store.setValue("Language", language);
        if (port)
            store.setValue("COM-Port", *port);
        if (!factoryKey.isEmpty())
            store.setValue("FactoryKey", factoryKey);
    }
    // Starts the window with the sensor attached and the settings already made.
    void StartWithSensor(const sim::SensorSettings& settings = {}, int language = 0, const QString& factoryKey = {})
    {
        AttachSensor(settings);
        StoreSettings(language, Port, factoryKey);
        StartWindow();
    }
    void StartWindow()
    {
        form = std::make_unique<TMainForm>(*windowDialogs, clock.Sleeper());
        form->Timer1->stop();  // the test runs the ticks itself
    }
    void Tick(int count = 1)
    {
        for (int tick = 0; tick < count; ++tick)
            form->Supervisor().IdleFunction();
        form->Timer1->stop();
    }

    // A long operation runs in the window's own loop: the test lets that loop turn until it has ended.
    void WaitForOperation() const
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !Session().LinkHeld(); }, 60000));
    }

    Ui::TMainForm& Ui() const { return *form->Controls(); }
    SensorSession& Session() const { return form->Session(); }
    QColor Led() const { return Ui().StatusLED->colour(); }
    QString Status() const { return Ui().StatusText->text(); }
    std::vector<std::string> Sent() const { return host->ReceivedCommands(); }
    int CountSent(const std::string& command) const
    {
        const std::vector<std::string> sent = Sent();
        return static_cast<int>(std::count(sent.begin(), sent.end(), command));
    }
    // For commands that get no reply: the simulator may not have taken them yet.
    static bool Eventually(const std::function<bool()>& condition)
    {
        for (int attempt = 0; attempt < 200 && !condition(); ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return condition();
    }
    std::vector<QString> MessageTexts() const
    {
        std::vector<QString> texts;
        for (const auto& shown : dialogs.shown)
            texts.push_back(shown.text);
        return texts;
    }

    VirtualClock clock;
    ScriptedDialogService dialogs;
    // A test may give the window a service of its own that outlives the window.
    DialogService* windowDialogs = &dialogs;
    std::unique_ptr<sim::PtyHost> host;
    std::unique_ptr<TMainForm> form;
};

inline const QColor Red{255, 0, 0};
inline const QColor Yellow{255, 255, 0};
inline const QColor Green{0, 128, 0};
