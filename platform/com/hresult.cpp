#include "platform/com/hresult.h"

#include <cstdio>

namespace qcom {

std::string ErrorText(HRESULT hr) {
  switch (hr) {
    case S_OK: return "The operation completed successfully.";
    case S_FALSE: return "The operation completed with a false result.";
    case E_NOTIMPL: return "Not implemented";
    case E_NOINTERFACE: return "No such interface supported";
    case E_POINTER: return "Invalid pointer";
    case E_FAIL: return "Unspecified error";
    case E_UNEXPECTED: return "Catastrophic failure";
    case E_ACCESSDENIED: return "Access is denied.";
    case E_OUTOFMEMORY: return "Not enough storage is available to complete this operation.";
    case E_INVALIDARG: return "The parameter is incorrect.";
    case CLASS_E_NOAGGREGATION: return "Class does not support aggregation (or class object is remote)";
    case CLASS_E_CLASSNOTAVAILABLE: return "ClassFactory cannot supply requested class";
    case REGDB_E_CLASSNOTREG: return "Class not registered";
    case CO_E_ERRORINDLL: return "Error in the DLL";
    case HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND): return "The specified module could not be found.";
    case HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT): return "The specified module could not be loaded.";
    case DISP_E_MEMBERNOTFOUND: return "Member not found.";
    case DISP_E_TYPEMISMATCH: return "Type mismatch.";
    case DISP_E_UNKNOWNNAME: return "Unknown name.";
    case DISP_E_NONAMEDARGS: return "Does not support named arguments.";
    case DISP_E_BADVARTYPE: return "Bad variable type.";
    case DISP_E_EXCEPTION: return "Exception occurred.";
    case DISP_E_BADPARAMCOUNT: return "Invalid number of parameters.";
    case CONNECT_E_NOCONNECTION: return "The connection point has no connection with that cookie.";
    case CONNECT_E_ADVISELIMIT: return "The connection point cannot take another connection.";
    case CONNECT_E_CANNOTCONNECT: return "The sink does not support the interface of the connection point.";
    case OLEOBJ_E_NOVERBS: return "The object does not support that verb.";
  }
  char buf[48];
  std::snprintf(buf, sizeof buf, "Unspecified error (0x%08X)", unsigned(hr));
  return buf;
}

ComError::ComError(HRESULT hr) : std::runtime_error(ErrorText(hr)), hr_(hr) {}

ComError::ComError(HRESULT hr, const std::string& text)
    : std::runtime_error(text.empty() ? ErrorText(hr) : text), hr_(hr) {}

}  // namespace qcom
