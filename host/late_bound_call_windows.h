// Calls on one of the host's automation objects by member name, through
// IDispatch: the component knows the host's objects by the names of their
// members only. A name the object does not know, an index it refuses, an
// exception it raises or any other failed call arrives as a failed result,
// as every call on the host is expected to fail.
#pragma once

#include "host/windows_api.h"

#include <oaidl.h>

#include <cstdint>
#include <vector>

#include "host/com.h"
#include "host/variant.h"

namespace kfx::late_bound {

// The arguments of one call, in the order the member declares them.
class Arguments {
public:
    Arguments() = default;
    ~Arguments();
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;

    Arguments& Add(const Variant& value);

    // Whether every argument could be made (a text needs memory).
    HRESULT Status() const { return status_; }
    // Last argument first, as IDispatch::Invoke takes them.
    std::vector<VARIANT>& Reversed() { return reversed_; }

private:
    std::vector<VARIANT> reversed_;
    HRESULT status_ = HR_S_OK;
};

class Caller {
public:
    explicit Caller(IDispatch* object) : object_(object) {}

    // Property reads, converted to the type wanted.
    HRESULT GetText(const wchar_t* name, Text* out) const;
    HRESULT GetInteger(const wchar_t* name, std::int32_t* out) const;
    // An object property, parameterised or not; succeeds with a null object
    // when the host gives none.
    HRESULT GetObject(const wchar_t* name, Arguments& arguments, ::IUnknown** out) const;
    // The collection's enumerator, by its reserved member identifier.
    HRESULT GetEnumerator(::IUnknown** out) const;
    HRESULT PutText(const wchar_t* name, const Text& value) const;
    // A method whose result, if any, is not wanted.
    HRESULT Call(const wchar_t* name, Arguments& arguments) const;

private:
    HRESULT Invoke(const wchar_t* name, WORD kind, Arguments& arguments, VARIANT* result) const;
    HRESULT InvokeId(DISPID member, WORD kind, Arguments& arguments, VARIANT* result) const;

    IDispatch* object_;
};

}  // namespace kfx::late_bound
