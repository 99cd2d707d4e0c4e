// The weekly task through the system's Task Scheduler: registered by the
// service, read back through the scheduler's own interfaces, removed.
// Wine (8.0) cannot make a weekly trigger (ITriggerCollection::Create
// answers E_NOTIMPL) nor store triggers and actions: there the test checks
// that the failed registration left no task, that a task of the folder's
// name made otherwise is found and removed, and says what Wine answered.
#include "platform/weekly_task.h"
#include "platform/win32/com.h"
#include "platform/win32/task_scheduler.h"
#include "platform/win32/utf16.h"
#include "support/test_root.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

namespace orr::platform {
namespace {

using win32::Bstr;
using win32::ComRef;

std::string hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

// The registered task, as the scheduler hands it out.
struct ReadBack {
    HRESULT hr = E_FAIL;
    ComRef<ITaskDefinition> task;
};

// The scheduler of this session, connected as the current user.
HRESULT connect(ComRef<ITaskService>& service) {
    VARIANT none;
    VariantInit(&none);
    HRESULT hr = CoCreateInstance(win32::kClsidTaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                                  win32::kIidTaskService, service.putVoid());
    return SUCCEEDED(hr) ? service->Connect(none, none, none, none) : hr;
}

ReadBack readTask(const std::string& name) {
    ReadBack out;
    ComRef<ITaskService> service;
    ComRef<ITaskFolder> root;
    ComRef<IRegisteredTask> registered;
    out.hr = connect(service);
    if (SUCCEEDED(out.hr)) out.hr = service->GetFolder(Bstr(L"\\").get(), root.put());
    if (SUCCEEDED(out.hr)) out.hr = root->GetTask(Bstr(win32::wide(name)).get(), registered.put());
    if (SUCCEEDED(out.hr)) out.hr = registered->get_Definition(out.task.put());
    return out;
}

// A task of that name with nothing in it, registered directly: what Wine
// can register.
HRESULT registerBareTask(const std::string& name) {
    ComRef<ITaskService> service;
    ComRef<ITaskFolder> root;
    ComRef<ITaskDefinition> task;
    ComRef<IRegisteredTask> registered;
    VARIANT none;
    VariantInit(&none);
    HRESULT hr = connect(service);
    if (SUCCEEDED(hr)) hr = service->GetFolder(Bstr(L"\\").get(), root.put());
    if (SUCCEEDED(hr)) hr = service->NewTask(0, task.put());
    if (SUCCEEDED(hr))
        hr = root->RegisterTaskDefinition(Bstr(win32::wide(name)).get(), task.get(), TASK_CREATE_OR_UPDATE, none,
                                          none, TASK_LOGON_INTERACTIVE_TOKEN, none, registered.put());
    return hr;
}

// What the scheduler answers when asked for a weekly trigger.
std::string weeklyTriggerAnswer() {
    ComRef<ITaskService> service;
    ComRef<ITaskDefinition> task;
    ComRef<ITriggerCollection> triggers;
    ComRef<ITrigger> trigger;
    HRESULT hr = connect(service);
    if (SUCCEEDED(hr)) hr = service->NewTask(0, task.put());
    if (SUCCEEDED(hr)) hr = task->get_Triggers(triggers.put());
    if (SUCCEEDED(hr)) hr = triggers->Create(TASK_TRIGGER_WEEKLY, trigger.put());
    return hex(hr);
}

TEST(TaskScheduler, AWeeklyTaskIsRegisteredReadBackAndRemoved) {
    win32::ComApartment com;
    const auto tasks = makeWeeklyTasks();
    const std::string folder = "C:\\Orrindale tests\\Weekly " + std::to_string(GetCurrentProcessId()) + "\\";
    const std::string name = weeklyTaskName(folder);
    // A task left by an earlier run that ended midway goes first.
    ASSERT_NE(tasks->remove(folder), TaskChange::failed);
    ASSERT_EQ(tasks->exists(folder), false);

    const DateTime from{2026, 12, 5, 12, 30, 0};  // a Saturday
    const TaskChange added = tasks->add(folder, from);
    if (added == TaskChange::failed && test::runningOnWine()) {
        EXPECT_EQ(tasks->exists(folder), false) << "a failed registration left a task";
        // The folder's task made otherwise is found and removed all the same.
        const HRESULT hr = registerBareTask(name);
        ASSERT_TRUE(SUCCEEDED(hr)) << hex(hr);
        EXPECT_EQ(tasks->exists("c:/orrindale tests/weekly " + std::to_string(GetCurrentProcessId())), true);
        EXPECT_EQ(tasks->remove(folder), TaskChange::done);
        EXPECT_EQ(tasks->exists(folder), false);
        EXPECT_EQ(tasks->remove(folder), TaskChange::absent);
        GTEST_SKIP() << "Wine's Task Scheduler answers " << weeklyTriggerAnswer()
                     << " to a weekly trigger; nothing was registered";
    }
    ASSERT_EQ(added, TaskChange::done);
    EXPECT_EQ(tasks->exists(folder), true);
    // The same folder spelled otherwise is the same task.
    EXPECT_EQ(tasks->exists("c:/orrindale tests/weekly " + std::to_string(GetCurrentProcessId())), true);

    const ReadBack back = readTask(name);
    ASSERT_TRUE(SUCCEEDED(back.hr)) << hex(back.hr);
    ComRef<ITriggerCollection> triggers;
    ComRef<ITrigger> trigger;
    ComRef<IWeeklyTrigger> weekly;
    LONG count = 0;
    TASK_TRIGGER_TYPE2 kind{};
    short days = 0, weeks = 0;
    Bstr start;
    ASSERT_TRUE(SUCCEEDED(back.task->get_Triggers(triggers.put())));
    ASSERT_TRUE(SUCCEEDED(triggers->get_Count(&count)));
    ASSERT_EQ(count, 1);
    ASSERT_TRUE(SUCCEEDED(triggers->get_Item(1, trigger.put())));
    ASSERT_TRUE(SUCCEEDED(trigger->get_Type(&kind)));
    EXPECT_EQ(kind, TASK_TRIGGER_WEEKLY);
    ASSERT_TRUE(SUCCEEDED(trigger->QueryInterface(win32::kIidWeeklyTrigger, weekly.putVoid())));
    ASSERT_TRUE(SUCCEEDED(weekly->get_DaysOfWeek(&days)) && SUCCEEDED(weekly->get_WeeksInterval(&weeks)));
    EXPECT_EQ(days, 1 << 6);  // Saturday
    EXPECT_EQ(weeks, 1);
    ASSERT_TRUE(SUCCEEDED(weekly->get_StartBoundary(start.put())));
    EXPECT_EQ(win32::narrow(start.view()).substr(0, 19), "2026-12-05T12:30:00");

    ComRef<ITaskSettings> settings;
    VARIANT_BOOL whenAvailable = VARIANT_FALSE;
    ASSERT_TRUE(SUCCEEDED(back.task->get_Settings(settings.put())));
    ASSERT_TRUE(SUCCEEDED(settings->get_StartWhenAvailable(&whenAvailable)));
    EXPECT_EQ(whenAvailable, VARIANT_TRUE);

    ComRef<IActionCollection> actions;
    ComRef<IAction> action;
    ComRef<IExecAction> exec;
    Bstr path, arguments;
    ASSERT_TRUE(SUCCEEDED(back.task->get_Actions(actions.put())));
    ASSERT_TRUE(SUCCEEDED(actions->get_Item(1, action.put())));
    ASSERT_TRUE(SUCCEEDED(action->QueryInterface(win32::kIidExecAction, exec.putVoid())));
    ASSERT_TRUE(SUCCEEDED(exec->get_Path(path.put())) && SUCCEEDED(exec->get_Arguments(arguments.put())));
    wchar_t self[MAX_PATH + 1] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_EQ(std::wstring(path.view()), std::wstring(self));
    EXPECT_EQ(win32::narrow(arguments.view()), weeklyTaskArguments(folder));

    EXPECT_EQ(tasks->remove(folder), TaskChange::done);
    EXPECT_EQ(tasks->exists(folder), false);
    EXPECT_TRUE(win32::notFound(readTask(name).hr));
    EXPECT_EQ(tasks->remove(folder), TaskChange::absent);
}

}  // namespace
}  // namespace orr::platform
