(* Unit header
   second line *)
unit Shapes;

interface

procedure Draw(x: integer;
  y: integer);
function Area: real;

implementation

begin main { x } end.
