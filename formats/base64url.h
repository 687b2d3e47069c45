#pragma once
// base64url (RFC 4648, section 5) without padding, the alphabet a URL
// fragment carries as it is: a share link's lesson travels in it.
#include <string>
#include <string_view>

std::string Base64Url(std::string_view bytes);
// False, with bytes left alone, for text that is not base64url.
bool FromBase64Url(std::string_view text, std::string& bytes);
