// The weekly backup as a Task Scheduler 2.0 task in the library's root,
// named for its folder (weeklyTaskName: the name says it is Orrindale's).
// Deliberately no folder of Orrindale's own: only administrators may make
// folders in the root, and the task must be made without their rights.
#include "platform/weekly_task.h"

#include "com.h"
#include "task_scheduler.h"
#include "utf16.h"

#include <cstdio>

namespace orr::platform {
namespace {

using win32::Bstr;
using win32::ComRef;

// This program's executable, the one the task starts.
std::wstring thisProgram() {
    for (DWORD capacity = MAX_PATH + 1; capacity <= 32768; capacity *= 4) {
        std::wstring path(capacity, L'\0');
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), capacity);
        if (n == 0) return {};
        if (n < capacity) {
            path.resize(n);
            return path;
        }
    }
    return {};
}

// "2026-12-05T12:00:00": local time, as the scheduler reads a boundary
// without a zone.
std::wstring boundary(const DateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:00", t.year, t.month, t.day, t.hour, t.minute);
    return win32::wide(text);
}

class TaskScheduler final : public WeeklyTasks {
public:
    std::optional<bool> exists(std::string_view folder) override {
        win32::ComApartment com;
        ComRef<ITaskService> service;
        ComRef<ITaskFolder> root;
        if (FAILED(connect(service, root))) return std::nullopt;
        ComRef<IRegisteredTask> task;
        const HRESULT hr = root->GetTask(Bstr(win32::wide(weeklyTaskName(folder))).get(), task.put());
        if (SUCCEEDED(hr)) return true;
        if (win32::notFound(hr)) return false;
        return std::nullopt;
    }

    TaskChange add(std::string_view folder, const DateTime& from) override {
        win32::ComApartment com;
        ComRef<ITaskService> service;
        ComRef<ITaskFolder> root;
        ComRef<ITaskDefinition> task;
        if (FAILED(connect(service, root)) || FAILED(service->NewTask(0, task.put())) ||
            FAILED(describe(*task.get(), folder)) || FAILED(schedule(*task.get(), from)) ||
            FAILED(command(*task.get(), folder)))
            return TaskChange::failed;
        VARIANT none;
        VariantInit(&none);
        ComRef<IRegisteredTask> registered;
        const HRESULT hr =
            root->RegisterTaskDefinition(Bstr(win32::wide(weeklyTaskName(folder))).get(), task.get(),
                                         TASK_CREATE_OR_UPDATE, none, none, TASK_LOGON_INTERACTIVE_TOKEN, none,
                                         registered.put());
        return SUCCEEDED(hr) ? TaskChange::done : TaskChange::failed;
    }

    TaskChange remove(std::string_view folder) override {
        win32::ComApartment com;
        ComRef<ITaskService> service;
        ComRef<ITaskFolder> root;
        if (FAILED(connect(service, root))) return TaskChange::failed;
        const HRESULT hr = root->DeleteTask(Bstr(win32::wide(weeklyTaskName(folder))).get(), 0);
        if (SUCCEEDED(hr)) return TaskChange::done;
        return win32::notFound(hr) ? TaskChange::absent : TaskChange::failed;
    }

private:
    static HRESULT connect(ComRef<ITaskService>& service, ComRef<ITaskFolder>& root) {
        HRESULT hr = CoCreateInstance(win32::kClsidTaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                                      win32::kIidTaskService, service.putVoid());
        if (FAILED(hr)) return hr;
        VARIANT none;
        VariantInit(&none);
        // The local machine, as the user who runs the program.
        if (FAILED(hr = service->Connect(none, none, none, none))) return hr;
        return service->GetFolder(Bstr(L"\\").get(), root.put());
    }

    // Who made it and what it does, for the user who finds it in Task
    // Scheduler; run as that user while logged on, without raised rights.
    static HRESULT describe(ITaskDefinition& task, std::string_view folder) {
        ComRef<IRegistrationInfo> info;
        ComRef<IPrincipal> principal;
        HRESULT hr = task.get_RegistrationInfo(info.put());
        if (SUCCEEDED(hr)) hr = info->put_Author(Bstr(L"Orrindale").get());
        if (SUCCEEDED(hr))
            hr = info->put_Description(
                Bstr(win32::wide("Backs up the game's customizations to " + std::string(folder) + " every week."))
                    .get());
        if (SUCCEEDED(hr)) hr = task.get_Principal(principal.put());
        if (SUCCEEDED(hr)) hr = principal->put_LogonType(TASK_LOGON_INTERACTIVE_TOKEN);
        if (SUCCEEDED(hr)) hr = principal->put_RunLevel(TASK_RUNLEVEL_LUA);
        return hr;
    }

    // Weekly on `from`'s day at its time; a week missed (the computer off)
    // runs as soon as it can, on battery too.
    static HRESULT schedule(ITaskDefinition& task, const DateTime& from) {
        ComRef<ITaskSettings> settings;
        ComRef<ITriggerCollection> triggers;
        ComRef<ITrigger> trigger;
        ComRef<IWeeklyTrigger> weekly;
        HRESULT hr = task.get_Settings(settings.put());
        if (SUCCEEDED(hr)) hr = settings->put_StartWhenAvailable(VARIANT_TRUE);
        if (SUCCEEDED(hr)) hr = settings->put_DisallowStartIfOnBatteries(VARIANT_FALSE);
        if (SUCCEEDED(hr)) hr = settings->put_StopIfGoingOnBatteries(VARIANT_FALSE);
        if (SUCCEEDED(hr)) hr = task.get_Triggers(triggers.put());
        if (SUCCEEDED(hr)) hr = triggers->Create(TASK_TRIGGER_WEEKLY, trigger.put());
        if (SUCCEEDED(hr)) hr = trigger->QueryInterface(win32::kIidWeeklyTrigger, weekly.putVoid());
        if (SUCCEEDED(hr)) hr = weekly->put_DaysOfWeek(static_cast<short>(1 << static_cast<int>(weekdayOf(from))));
        if (SUCCEEDED(hr)) hr = weekly->put_WeeksInterval(1);
        if (SUCCEEDED(hr)) hr = weekly->put_StartBoundary(Bstr(boundary(from)).get());
        return hr;
    }

    static HRESULT command(ITaskDefinition& task, std::string_view folder) {
        const std::wstring program = thisProgram();
        if (program.empty()) return E_FAIL;
        ComRef<IActionCollection> actions;
        ComRef<IAction> action;
        ComRef<IExecAction> exec;
        HRESULT hr = task.get_Actions(actions.put());
        if (SUCCEEDED(hr)) hr = actions->Create(TASK_ACTION_EXEC, action.put());
        if (SUCCEEDED(hr)) hr = action->QueryInterface(win32::kIidExecAction, exec.putVoid());
        if (SUCCEEDED(hr)) hr = exec->put_Path(Bstr(program).get());
        if (SUCCEEDED(hr)) hr = exec->put_Arguments(Bstr(win32::wide(weeklyTaskArguments(folder))).get());
        return hr;
    }
};

}  // namespace

std::unique_ptr<WeeklyTasks> makeWeeklyTasks() { return std::make_unique<TaskScheduler>(); }

}  // namespace orr::platform
