#include "service/Error.h"

namespace lumitag::service {

const char* CodeName(ErrorCode code)
{
    switch (code) {
    case ErrorCode::NoDevice: return "NoDevice";
    case ErrorCode::BadInput: return "BadInput";
    case ErrorCode::NotOffered: return "NotOffered";
    case ErrorCode::FileRead: return "FileRead";
    case ErrorCode::FileWrite: return "FileWrite";
    case ErrorCode::SendFailure: return "SendFailure";
    case ErrorCode::WordLimitDeclined: return "WordLimitDeclined";
    case ErrorCode::PictureDeclined: return "PictureDeclined";
    case ErrorCode::NothingSelected: return "NothingSelected";
    case ErrorCode::Busy: return "Busy";
    }
    return "Unknown";
}

}  // namespace lumitag::service
