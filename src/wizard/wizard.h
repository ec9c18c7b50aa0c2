#ifndef QZ_WIZARD_WIZARD_H_
#define QZ_WIZARD_WIZARD_H_

namespace qz {

struct Context;

/// `RunWizard`: leads the user through the four pages (locations, global
/// data, firm data, start), one at a time, built afresh on every visit.
/// True when the user started the run, false when they confirmed giving up.
bool RunWizard(Context& ctx);

}  // namespace qz

#endif  // QZ_WIZARD_WIZARD_H_
