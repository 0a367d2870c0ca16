#include "core/Creatable.h"

namespace {
// Cells of destroyed objects, handed out again before the table grows.
std::vector<unsigned>& freeCells() {
  static auto& free = *new std::vector<unsigned>;
  return free;
}
}  // namespace

Creatable::Creatable() : procLayer(0), bDoneProcessing(false), cell(takeCell()) {}

Creatable::Creatable(Creatable const& other)
    : MultiListed(other),
      procLayer(other.procLayer),
      bDoneProcessing(other.bDoneProcessing),
      cell(takeCell()) {
  (*cells)[cell].restingSince = (*cells)[other.cell].restingSince;
}

Creatable& Creatable::operator=(Creatable const& other) {
  MultiListed::operator=(other);
  procLayer = other.procLayer;
  bDoneProcessing = other.bDoneProcessing;
  (*cells)[cell].restingSince = (*cells)[other.cell].restingSince;
  return *this;
}

Creatable::~Creatable() { giveBackCell(cell); }

unsigned Creatable::takeCell() {
  if (!cells) cells = new std::vector<Cell>;
  std::vector<unsigned>& free = freeCells();
  if (free.empty()) {
    cells->push_back(Cell{0});
    return static_cast<unsigned>(cells->size() - 1);
  }
  unsigned const taken = free.back();
  free.pop_back();
  (*cells)[taken] = Cell{0};
  return taken;
}

void Creatable::giveBackCell(unsigned given) { freeCells().push_back(given); }
