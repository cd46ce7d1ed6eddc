// What every WebGL page waits for before its first frame, and nothing more:
// a context with the show's attributes and one cleared frame, reported to
// the same hooks the show reports to.
(function () {
  Module.onRuntimeInitialized();
  var gl = document.getElementById('canvas').getContext('webgl',
    {alpha: false, depth: true, stencil: false, antialias: false});
  gl.clearColor(0, 0, 0, 1);
  gl.clear(gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT);
  Module.onFrame(0, 'floor');
  Module.onExit(0);
})();
