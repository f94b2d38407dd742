// One document released through the real release object, with stand-in host
// objects around it whose calls can be made to fail: the host side of the
// release fixtures, whichever database the document goes to.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/kfx_types.h"
#include "host_standin/fault_plan.h"
#include "host_standin/message_sink.h"
#include "host_standin/records.h"

namespace testsupport {

class DocumentRelease {
protected:
    // connectString: the host's server setting for the document.
    explicit DocumentRelease(kfx::Text connectString);

    void Add(const char16_t* destination, const kfx::Text& value);
    void AddTable(const char16_t* destination, const char16_t* table, std::vector<kfx::Text> rows);
    // Removes every value of the destination.
    void Remove(const char16_t* destination);

    // A typical invoice: settings, five header fields, a table of three lines.
    void AddTypicalInvoice();

    // Releases the document once through a new release object.
    kfx::KfxReturnValue Release();

    std::vector<standin::ErrorLogEntry> Log() const { return sink_->ErrorLog(); }
    std::vector<standin::DocumentMessage> Messages() const { return sink_->DocumentMessages(); }
    // The texts of the error log, in order.
    std::vector<std::string> LogTexts() const;

    standin::ReleaseDocument document_;
    std::shared_ptr<standin::FaultPlan> hostPlan_ = std::make_shared<standin::FaultPlan>();
    std::shared_ptr<standin::MessageSink> sink_ = std::make_shared<standin::MessageSink>();
};

}  // namespace testsupport
