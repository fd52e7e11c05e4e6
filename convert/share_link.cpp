#include "convert/share_link.h"

#include "convert/constant_texts.h"
#include "convert/text_ops.h"

ConversionResult build_direct_link(Text link, Text extension) {
  ConversionResult result;
  result.marker_pos = locate_text(link, kConstantTexts.marker);
  if (result.marker_pos == kNoPosition) return result;
  result.accepted = true;
  result.slash_pos = locate_text(link, kConstantTexts.slash, kSlashScanStart);
  result.link_length = byte_length(link);
  const double difference = static_cast<double>(result.link_length) - static_cast<double>(result.slash_pos);
  result.share_key = right_part(link, low_32_bits(to_int64_truncated(difference)));
  result.direct_link = join_texts(
      {kConstantTexts.link_prefix, result.share_key, kConstantTexts.key_separator, extension});
  return result;
}
