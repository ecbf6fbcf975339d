#pragma once
// Reads SOAP envelopes into contract records. Accepts what servers of this
// kind send: values inline or as multi-reference elements (href="#n" / id="n",
// in any order and nested at any depth), any namespace prefixes, fields in any
// order, unknown fields (skipped), missing fields and xsi:nil (empty values),
// SOAP-encoded arrays. Anything else is a ServiceError, never a crash or a
// silently wrong value.

#include "service/RecordInfo.h"
#include "service/ServiceError.h"
#include "service/xml/XmlTree.h"

#include <QByteArrayView>

#include <string_view>

namespace korvel::soap {

// Reads an operation's answer into its response record. A SOAP Fault throws
// ServiceError::Kind::Fault with the fault text; anything unreadable throws
// ServiceError::Kind::Malformed.
void decodeResponse(const QByteArray& document, const OperationInfo& op, void* response);

// Reads the message element `element` (the first element of the Body) into
// the fields of `info`. Same errors as decodeResponse.
void decodeMessage(const QByteArray& document, const char* element, const RecordInfo& info, void* record);

// The server side: the operation element of a request, and its parameters.
// Both throw ServiceError::Kind::Malformed.
const XmlTree::Node& messageElement(const XmlTree& tree);
void decodeRequest(const XmlTree& tree, const OperationInfo& op, void* request);

// Reads one element as a record of the given type (exposed for tests and tools).
void decodeRecord(const XmlTree& tree, const XmlTree::Node& element, const RecordInfo& info, void* record,
                  const char* context = "answer");

} // namespace korvel::soap
