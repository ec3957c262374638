#include "cli/cups_access.h"

#include "printer/send.h"

#include <cups/cups.h>

#include <algorithm>
#include <memory>
#include <thread>

namespace sb::cli {
namespace {

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

// A job usually reaches the printer within a few hundredths of a second: ask soon, then
// less and less often, so that many queues at once do not keep the scheduler busy.
constexpr auto kFirstPoll = std::chrono::milliseconds(10);
constexpr auto kLongestPoll = std::chrono::milliseconds(200);

std::string LastError() {
    return cupsLastErrorString();
}

std::string Unreachable() {
    return "the CUPS scheduler at " + std::string(cupsServer()) + " does not answer (" +
           LastError() +
           "): is cupsd running there? CUPS_SERVER (HOST[:PORT] or a socket's path) names "
           "another one";
}

std::string PrinterUri(const std::string& name) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", name.c_str());
    return uri;
}

std::string Text(ipp_t* response, const char* name) {
    ipp_attribute_t* attribute = ippFindAttribute(response, name, IPP_TAG_ZERO);
    const char* text = attribute != nullptr ? ippGetString(attribute, 0, nullptr) : nullptr;
    return text != nullptr ? text : "";
}

int Number(ipp_t* response, const char* name) {
    ipp_attribute_t* attribute = ippFindAttribute(response, name, IPP_TAG_ZERO);
    return attribute != nullptr ? ippGetInteger(attribute, 0) : 0;
}

// One request on the default connection; null when the scheduler did not answer it.
Ipp Ask(ipp_op_t operation, const std::string& printer, int job,
        std::initializer_list<const char*> attributes) {
    ipp_t* request = ippNewRequest(operation);
    if (!printer.empty()) {
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     PrinterUri(printer).c_str());
    }
    if (job != 0) {
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    }
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(attributes.size()), nullptr, attributes.begin());
    Ipp response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        return nullptr;
    }
    return response;
}

// A message the queue gives about itself, in brackets, or nothing.
std::string Said(const std::string& message) {
    return message.empty() ? "" : " (" + message + ")";
}

// Why the queue cannot take a job now, or nothing.
std::optional<std::string> Refusal(const std::string& name) {
    const Ipp printer =
        Ask(IPP_OP_GET_PRINTER_ATTRIBUTES, name, 0,
            {"printer-state", "printer-state-message", "printer-is-accepting-jobs"});
    if (!printer) {
        return "CUPS cannot tell its state: " + LastError();
    }
    const std::string message = Said(Text(printer.get(), "printer-state-message"));
    if (Number(printer.get(), "printer-state") == IPP_PSTATE_STOPPED) {
        return "the queue is stopped" + message + "; cupsenable starts it";
    }
    ipp_attribute_t* accepting =
        ippFindAttribute(printer.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (accepting != nullptr && ippGetBoolean(accepting, 0) == 0) {
        return "the queue does not accept jobs" + message + "; cupsaccept lets it";
    }
    return std::nullopt;
}

SendResult Failed(std::string detail) {
    return {SendOutcome::Failed, std::move(detail)};
}

} // namespace

QueueList CupsAccess::Queues() {
    QueueList list;
    const Ipp response = Ask(IPP_OP_CUPS_GET_PRINTERS, {}, 0, {"printer-name", "device-uri"});
    if (!response) {
        list.error = Unreachable();
        return list;
    }
    // One group of attributes per queue.
    Queue queue;
    for (ipp_attribute_t* attribute = ippFirstAttribute(response.get()); attribute != nullptr;
         attribute = ippNextAttribute(response.get())) {
        const char* name = ippGetName(attribute);
        if (name == nullptr) {
            if (!queue.name.empty()) {
                list.queues.push_back(queue);
            }
            queue = {};
        } else if (std::string_view(name) == "printer-name") {
            queue.name = ippGetString(attribute, 0, nullptr);
        } else if (std::string_view(name) == "device-uri") {
            queue.connection = ippGetString(attribute, 0, nullptr);
        }
    }
    if (!queue.name.empty()) {
        list.queues.push_back(queue);
    }
    return list;
}

SendResult CupsAccess::Send(const Queue& queue, const SettingRecord& record,
                            std::chrono::seconds wait) {
    const std::string& name = queue.name;
    if (const std::optional<std::string> refusal = Refusal(name)) {
        return Failed(*refusal);
    }
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, name.c_str(), kSendDocName, 0, nullptr);
    if (job == 0) {
        return Failed("CUPS refused the job: " + LastError());
    }
    const auto cancelled = [&](const std::string& why) {
        cupsCancelJob2(CUPS_HTTP_DEFAULT, name.c_str(), job, 0);
        return Failed(why + "; the job was cancelled");
    };
    const bool written =
        cupsStartDocument(CUPS_HTTP_DEFAULT, name.c_str(), job, kSendDocName, CUPS_FORMAT_RAW, 1) ==
            HTTP_STATUS_CONTINUE &&
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, reinterpret_cast<const char*>(record.data()),
                             record.size()) == HTTP_STATUS_CONTINUE;
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, name.c_str()) != IPP_STATUS_OK || !written) {
        return cancelled("CUPS did not take the job's data: " + LastError());
    }

    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto poll = kFirstPoll;
    std::string message;
    for (;;) {
        const Ipp state =
            Ask(IPP_OP_GET_JOB_ATTRIBUTES, name, job, {"job-state", "job-printer-state-message"});
        if (!state) {
            return Failed("CUPS cannot tell what became of job " + std::to_string(job) + ": " +
                          LastError());
        }
        message = Text(state.get(), "job-printer-state-message");
        const int jobState = Number(state.get(), "job-state");
        switch (jobState) {
        case IPP_JSTATE_COMPLETED:
            return {SendOutcome::Sent, {}};
        case IPP_JSTATE_CANCELED:
        case IPP_JSTATE_ABORTED:
            return Failed("the job was stopped before it reached the printer" + Said(message));
        default:
            break;
        }
        // A queue that stops on a failed job puts it back to wait and never gets to it again;
        // while the job is being processed, the queue is not stopped.
        if (jobState != IPP_JSTATE_PROCESSING) {
            if (const std::optional<std::string> refusal = Refusal(name)) {
                return cancelled(*refusal);
            }
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return cancelled("the queue did not hand the job to the printer within " +
                             std::to_string(wait.count()) + " s" + Said(message));
        }
        std::this_thread::sleep_for(poll);
        poll = std::min(poll * 2, kLongestPoll);
    }
}

} // namespace sb::cli
