// One pass of the object manager over n objects. The pass must grow linearly with n, also when
// objects delete themselves and create others during it (a fixed number of them, since each
// deletion from the manager's list is itself linear).
#include <benchmark/benchmark.h>

#include <istream>
#include <ostream>
#include <sstream>

#include "core/GetParents.h"
#include "core/ObjectManager.h"

class BenchBody : public SaveLoad {
 public:
  BenchBody(ObjectManager* owner, int newProcLayer, bool churn)
      : manager(owner), bChurn(churn), counter(0) {
    procLayer = newProcLayer;
  }
  void process() override {
    counter++;
    // A churning object is replaced on its second pass by one that churns in turn, processed
    // in the same pass since it joins the same layer; the first pass of the new one is quiet.
    if (bChurn && counter == 2) {
      manager->newObject(new BenchBody(manager, procLayer, true));
      manager->deleteObject(this, true);
    }
  }
  void draw() override {}
  Rect getBounds() override { return Rect(); }
  Point getCenter() const override { return Point(); }
  SaveLoad* makeCopy() override { return new BenchBody(manager, 0, false); }
  void initFromFile(std::istream&) override {}
  void saveToFile(std::ostream&) override {}

 protected:
  void adjustLists() override {}

 private:
  ObjectManager* manager;
  bool bChurn;
  int counter;
};

static void loadTable() {
  getHeirarchy().clear();
  std::istringstream in(
      "BenchBody SaveLoad ;\nSaveLoad Creatable2d ;\nCreatable2d Creatable ;\n"
      "Creatable MultiListed ;\nMultiListed ;\nPersistant ;\n");
  readHeirarchy(in);
}

static void runPasses(benchmark::State& state, bool bChurn) {
  loadTable();
  ObjectManager manager({});
  int const count = static_cast<int>(state.range(0));
  for (int i = 0; i < count; i++)
    manager.newObject(new BenchBody(&manager, i % 3 - 1, bChurn && i < 20));
  for (auto _ : state) manager.processObjects();
  state.SetComplexityN(count);
  manager.deleteObjects(true);
}

static void BM_ProcessObjects(benchmark::State& state) { runPasses(state, false); }
BENCHMARK(BM_ProcessObjects)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

static void BM_ProcessObjectsWithChurn(benchmark::State& state) { runPasses(state, true); }
BENCHMARK(BM_ProcessObjectsWithChurn)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);
