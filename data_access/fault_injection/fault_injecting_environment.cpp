#include "data_access/fault_injection/fault_injecting_environment.h"

#include <map>
#include <vector>

#include "host/utf8.h"

namespace dbAx::fault {
namespace {

using platform::Result;
using platform::Text;

class FaultConnection;

// Consults the plan for one call and either fails it, or passes it on and
// replaces its out value when the fault says so.
class Interceptor {
public:
    explicit Interceptor(FaultPlan& plan) : plan_(plan) {}

    template <class Call, class Out = std::int32_t>
    Result Pass(const std::string& name, FaultConnection* target, Call&& call, Out* out = nullptr);

    FaultPlan& plan_;
};

class FaultErrors : public platform::Errors {
public:
    FaultErrors(Interceptor& interceptor, platform::Connection& inner) : interceptor_(interceptor), inner_(inner) {}

    Result Count(std::int32_t* count) override {
        return interceptor_.Pass("Errors.Count", nullptr, [&] {
            std::int32_t innerCount = 0;
            const Result result = InnerErrors(innerCount);
            *count = static_cast<std::int32_t>(injected_.size()) + innerCount;
            return result;
        }, count);
    }
    Result Item(std::int32_t index, platform::ErrorRecord* record) override {
        return interceptor_.Pass("Errors.Item", nullptr, [&] {
            if (index >= 0 && index < static_cast<std::int32_t>(injected_.size())) {
                *record = injected_[static_cast<std::size_t>(index)];
                return kfx::HR_S_OK;
            }
            platform::Errors* errors = nullptr;
            const Result result = inner_.GetErrors(&errors);
            if (kfx::Failed(result)) return result;
            return errors->Item(index - static_cast<std::int32_t>(injected_.size()), record);
        });
    }
    Result Clear() override {
        return interceptor_.Pass("Errors.Clear", nullptr, [&] {
            injected_.clear();
            platform::Errors* errors = nullptr;
            const Result result = inner_.GetErrors(&errors);
            return kfx::Failed(result) ? result : errors->Clear();
        });
    }

    void Inject(const std::vector<platform::ErrorRecord>& records) {
        injected_.insert(injected_.end(), records.begin(), records.end());
    }

private:
    Result InnerErrors(std::int32_t& count) {
        platform::Errors* errors = nullptr;
        const Result result = inner_.GetErrors(&errors);
        return kfx::Failed(result) ? result : errors->Count(&count);
    }

    Interceptor& interceptor_;
    platform::Connection& inner_;
    std::vector<platform::ErrorRecord> injected_;
};

class FaultConnection : public platform::Connection {
public:
    FaultConnection(FaultPlan& plan, std::unique_ptr<platform::Connection> inner)
        : interceptor_(plan), inner_(std::move(inner)), errors_(interceptor_, *inner_) {}

    Result Open(const Text& text, const Text& user, const Text& password, std::int32_t options) override {
        return interceptor_.Pass("Connection.Open", this, [&] { return inner_->Open(text, user, password, options); });
    }
    Result Close() override {
        return interceptor_.Pass("Connection.Close", this, [&] { return inner_->Close(); });
    }
    Result State(std::int32_t* state) override {
        return interceptor_.Pass("Connection.State", this, [&] { return inner_->State(state); }, state);
    }
    Result SetCursorLocation(std::int32_t location) override {
        return interceptor_.Pass("Connection.SetCursorLocation", this,
                                 [&] { return inner_->SetCursorLocation(location); });
    }
    Result CursorLocation(std::int32_t* location) override {
        return interceptor_.Pass("Connection.CursorLocation", this, [&] { return inner_->CursorLocation(location); },
                                 location);
    }
    Result GetErrors(platform::Errors** errors) override {
        return interceptor_.Pass("Connection.GetErrors", nullptr, [&] {
            *errors = &errors_;
            return kfx::HR_S_OK;
        });
    }

    void Inject(const std::vector<platform::ErrorRecord>& records) { errors_.Inject(records); }
    platform::Connection* Inner() { return inner_.get(); }

private:
    Interceptor interceptor_;
    std::unique_ptr<platform::Connection> inner_;
    FaultErrors errors_;
};

template <class Call, class Out>
Result Interceptor::Pass(const std::string& name, FaultConnection* target, Call&& call, Out* out) {
    const Fault* fault = plan_.Strike(name);
    if (fault && !fault->replaceValue) {
        if (target) target->Inject(fault->records);
        return fault->result;
    }
    const Result result = call();
    if (fault && out && kfx::Succeeded(result)) *out = static_cast<Out>(*fault->replaceValue);
    return result;
}

class FaultField : public platform::Field {
public:
    FaultField(Interceptor& interceptor, FaultConnection*& connection, platform::Field& inner, std::string name)
        : interceptor_(interceptor), connection_(connection), inner_(inner), name_(std::move(name)) {}

    Result Type(std::int32_t* type) override {
        return interceptor_.Pass(Call("Field.Type"), connection_, [&] { return inner_.Type(type); }, type);
    }
    Result Precision(std::uint8_t* precision) override {
        return interceptor_.Pass(Call("Field.Precision"), connection_, [&] { return inner_.Precision(precision); },
                                 precision);
    }
    Result Attributes(std::int32_t* attributes) override {
        return interceptor_.Pass(Call("Field.Attributes"), connection_,
                                 [&] { return inner_.Attributes(attributes); }, attributes);
    }
    Result Value(std::optional<Text>* value) override {
        return interceptor_.Pass(Call("Field.Value"), connection_, [&] { return inner_.Value(value); });
    }
    Result SetValue(const Text& value) override {
        return interceptor_.Pass(Call("Field.SetValue"), connection_, [&] { return inner_.SetValue(value); });
    }

private:
    std::string Call(const char* operation) const { return std::string(operation) + "(" + name_ + ")"; }

    Interceptor& interceptor_;
    FaultConnection*& connection_;
    platform::Field& inner_;
    std::string name_;
};

class FaultFields : public platform::Fields {
public:
    FaultFields(Interceptor& interceptor, FaultConnection*& connection)
        : interceptor_(interceptor), connection_(connection) {}

    void Reset(platform::Fields* inner) {
        inner_ = inner;
        wrapped_.clear();
    }

    Result Item(const Text& name, platform::Field** field) override {
        const std::string narrow = kfx::ToUtf8(name);
        return interceptor_.Pass("Fields.Item(" + narrow + ")", connection_, [&] {
            platform::Field* innerField = nullptr;
            const Result result = inner_->Item(name, &innerField);
            if (kfx::Failed(result)) return result;
            auto& wrapper = wrapped_[innerField];
            if (!wrapper) wrapper = std::make_unique<FaultField>(interceptor_, connection_, *innerField, narrow);
            *field = wrapper.get();
            return result;
        });
    }

private:
    Interceptor& interceptor_;
    FaultConnection*& connection_;
    platform::Fields* inner_ = nullptr;
    std::map<platform::Field*, std::unique_ptr<FaultField>> wrapped_;
};

class FaultRecordset : public platform::Recordset {
public:
    FaultRecordset(FaultPlan& plan, std::unique_ptr<platform::Recordset> inner)
        : interceptor_(plan), inner_(std::move(inner)), fields_(interceptor_, connection_) {}

    Result SetSource(const Text& source) override {
        return Pass("Recordset.SetSource", [&] { return inner_->SetSource(source); });
    }
    Result SetActiveConnection(platform::Connection* connection) override {
        connection_ = static_cast<FaultConnection*>(connection);
        return Pass("Recordset.SetActiveConnection",
                    [&] { return inner_->SetActiveConnection(connection_ ? connection_->Inner() : nullptr); });
    }
    Result Open(const Text& source, platform::Connection* connection, std::int32_t cursorType, std::int32_t lockType,
                std::int32_t options) override {
        if (connection) connection_ = static_cast<FaultConnection*>(connection);
        return Pass("Recordset.Open", [&] {
            return inner_->Open(source, connection_ ? connection_->Inner() : nullptr, cursorType, lockType, options);
        });
    }
    Result GetFields(platform::Fields** fields) override {
        return Pass("Recordset.GetFields", [&] {
            platform::Fields* innerFields = nullptr;
            const Result result = inner_->GetFields(&innerFields);
            if (kfx::Failed(result)) return result;
            fields_.Reset(innerFields);
            *fields = &fields_;
            return result;
        });
    }
    Result Close() override {
        return Pass("Recordset.Close", [&] { return inner_->Close(); });
    }
    Result State(std::int32_t* state) override {
        return Pass("Recordset.State", [&] { return inner_->State(state); }, state);
    }
    Result Supports(std::int32_t options, bool* supported) override {
        return Pass("Recordset.Supports(" + OptionName(options) + ")",
                    [&] { return inner_->Supports(options, supported); }, supported);
    }
    Result AddNew() override {
        return Pass("Recordset.AddNew", [&] { return inner_->AddNew(); });
    }
    Result Update() override {
        return Pass("Recordset.Update", [&] { return inner_->Update(); });
    }
    Result CancelUpdate() override {
        return Pass("Recordset.CancelUpdate", [&] { return inner_->CancelUpdate(); });
    }
    Result Resync(std::int32_t affect, std::int32_t values) override {
        return Pass("Recordset.Resync", [&] { return inner_->Resync(affect, values); });
    }
    Result EditMode(std::int32_t* mode) override {
        return Pass("Recordset.EditMode", [&] { return inner_->EditMode(mode); }, mode);
    }
    Result MoveFirst() override {
        return Pass("Recordset.MoveFirst", [&] { return inner_->MoveFirst(); });
    }
    Result BOF(bool* atStart) override {
        return Pass("Recordset.BOF", [&] { return inner_->BOF(atStart); }, atStart);
    }
    Result EndOfFile(bool* atEnd) override {
        return Pass("Recordset.EndOfFile", [&] { return inner_->EndOfFile(atEnd); }, atEnd);
    }
    Result SetCursorType(std::int32_t value) override {
        return Pass("Recordset.SetCursorType", [&] { return inner_->SetCursorType(value); });
    }
    Result CursorType(std::int32_t* value) override {
        return Pass("Recordset.CursorType", [&] { return inner_->CursorType(value); }, value);
    }
    Result SetCacheSize(std::int32_t value) override {
        return Pass("Recordset.SetCacheSize", [&] { return inner_->SetCacheSize(value); });
    }
    Result CacheSize(std::int32_t* value) override {
        return Pass("Recordset.CacheSize", [&] { return inner_->CacheSize(value); }, value);
    }
    Result SetCursorLocation(std::int32_t value) override {
        return Pass("Recordset.SetCursorLocation", [&] { return inner_->SetCursorLocation(value); });
    }
    Result CursorLocation(std::int32_t* value) override {
        return Pass("Recordset.CursorLocation", [&] { return inner_->CursorLocation(value); }, value);
    }
    Result SetMarshalOptions(std::int32_t value) override {
        return Pass("Recordset.SetMarshalOptions", [&] { return inner_->SetMarshalOptions(value); });
    }
    Result MarshalOptions(std::int32_t* value) override {
        return Pass("Recordset.MarshalOptions", [&] { return inner_->MarshalOptions(value); }, value);
    }

private:
    template <class Call, class Out = std::int32_t>
    Result Pass(const std::string& name, Call&& call, Out* out = nullptr) {
        return interceptor_.Pass(name, connection_, std::forward<Call>(call), out);
    }

    static std::string OptionName(std::int32_t options) {
        switch (options) {
            case platform::adAddNew: return "AddNew";
            case platform::adUpdate: return "Update";
            case platform::adResync: return "Resync";
            default: return std::to_string(options);
        }
    }

    Interceptor interceptor_;
    std::unique_ptr<platform::Recordset> inner_;
    FaultConnection* connection_ = nullptr;
    FaultFields fields_;
};

}  // namespace

Result FaultInjectingEnvironment::Initialize() {
    Interceptor interceptor(plan_);
    return interceptor.Pass("Environment.Initialize", nullptr, [&] { return inner_.Initialize(); });
}

void FaultInjectingEnvironment::Uninitialize() { inner_.Uninitialize(); }

Result FaultInjectingEnvironment::CreateConnection(std::unique_ptr<platform::Connection>* connection) {
    Interceptor interceptor(plan_);
    return interceptor.Pass("Environment.CreateConnection", nullptr, [&] {
        std::unique_ptr<platform::Connection> inner;
        const Result result = inner_.CreateConnection(&inner);
        if (kfx::Succeeded(result)) *connection = std::make_unique<FaultConnection>(plan_, std::move(inner));
        return result;
    });
}

Result FaultInjectingEnvironment::CreateRecordset(std::unique_ptr<platform::Recordset>* recordset) {
    Interceptor interceptor(plan_);
    return interceptor.Pass("Environment.CreateRecordset", nullptr, [&] {
        std::unique_ptr<platform::Recordset> inner;
        const Result result = inner_.CreateRecordset(&inner);
        if (kfx::Succeeded(result)) *recordset = std::make_unique<FaultRecordset>(plan_, std::move(inner));
        return result;
    });
}

}  // namespace dbAx::fault
