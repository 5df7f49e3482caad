// Placeholder until implemented.
namespace vsl {}
