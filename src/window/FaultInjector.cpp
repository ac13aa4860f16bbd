// SPDX-License-Identifier: MIT
#include "window/FaultInjector.h"

namespace wordrop::window {

const char* operationName(OperationKind kind) {
    switch (kind) {
        case OperationKind::Visible:
            return "Visible";
        case OperationKind::Caption:
            return "Caption";
        case OperationKind::TextRead:
        case OperationKind::TextWrite:
            return "Text";
        case OperationKind::ForeColor:
            return "ForeColor";
        case OperationKind::BackColor:
            return "BackColor";
        case OperationKind::FillStyle:
            return "FillStyle";
        case OperationKind::Cls:
            return "Cls";
        case OperationKind::Circle:
            return "Circle";
        case OperationKind::Line:
            return "Line";
    }
    return "operation";
}

}  // namespace wordrop::window
