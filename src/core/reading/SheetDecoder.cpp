#include "reading/SheetDecoder.h"

SheetDecoder::SheetDecoder(const LayoutTable& layout, const DecodingSettings& settings)
    : m_fieldCount(static_cast<int>(layout.fields.size())),
      m_firstBackField(layout.FirstBackField),
      m_passes(layout, settings),
      m_assembly(layout) {}

bool SheetDecoder::decode(const omr::MarkBuffer& front, const omr::MarkBuffer* back, RunFieldTable& values,
                          QString& Text6, OmrApi* reader) const {
  const bool backFields = back != nullptr && m_firstBackField > 0;
  m_passes.frontPass(front, values, backFields ? m_firstBackField - 1 : m_fieldCount, reader);
  if (backFields) m_passes.backPass(*back, values, m_firstBackField);
  return m_assembly.assemble(values, Text6);
}
