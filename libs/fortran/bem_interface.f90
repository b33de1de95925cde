! Interfaces of the three boundary element libraries for a Fortran caller on Linux (gfortran
! or any compiler with C interoperability); link with -lbemfull, -lbemdeep or -lbemsurf.
!
! Every argument is passed by reference, as the libraries expect. The arrays are the caller's
! own, in Fortran order, with exactly these extents (npt = ncont + npint, ngl = 3 npt):
!   coord(npt, 3)     real(c_double)   all x1, then all x2, then all x3
!   tipo(npt)         integer(c_int)   read and without effect
!   inc(nelem, 3)     integer(c_int)   point numbers 1..npt of the nodes of each element
!   rigidez(ngl, ngl) real(c_double)   written only when nelem >= 1
! fator is set to 0 when opcao = 1. With nelem <= 0 the library writes its report and waits
! at the console instead. Declared assumed-size here, so arrays of any rank may be passed.
module bem_interface
  use, intrinsic :: iso_c_binding, only: c_int, c_double
  implicit none
  private
  public :: kelvin3d, mindlin3d, boussinesq_cerruti3d

  interface
    ! Kelvin full space (libbemfull).
    subroutine kelvin3d(opcao, ncont, npint, nelem, fator, emod, pois, coord, tipo, inc, rigidez) &
        bind(C, name='kelvin3d')
      import :: c_int, c_double
      integer(c_int), intent(in) :: opcao, ncont, npint, nelem
      real(c_double), intent(inout) :: fator
      real(c_double), intent(in) :: emod, pois
      real(c_double), intent(in) :: coord(*)
      integer(c_int), intent(in) :: tipo(*), inc(*)
      real(c_double), intent(inout) :: rigidez(*)
    end subroutine kelvin3d

    ! Mindlin half-space (libbemdeep).
    subroutine mindlin3d(opcao, ncont, npint, nelem, fator, emod, pois, coord, tipo, inc, rigidez) &
        bind(C, name='mindlin3d')
      import :: c_int, c_double
      integer(c_int), intent(in) :: opcao, ncont, npint, nelem
      real(c_double), intent(inout) :: fator
      real(c_double), intent(in) :: emod, pois
      real(c_double), intent(in) :: coord(*)
      integer(c_int), intent(in) :: tipo(*), inc(*)
      real(c_double), intent(inout) :: rigidez(*)
    end subroutine mindlin3d

    ! Boussinesq-Cerruti surface (libbemsurf).
    subroutine boussinesq_cerruti3d(opcao, ncont, npint, nelem, fator, emod, pois, coord, tipo, inc, rigidez) &
        bind(C, name='boussinesq_cerruti3d')
      import :: c_int, c_double
      integer(c_int), intent(in) :: opcao, ncont, npint, nelem
      real(c_double), intent(inout) :: fator
      real(c_double), intent(in) :: emod, pois
      real(c_double), intent(in) :: coord(*)
      integer(c_int), intent(in) :: tipo(*), inc(*)
      real(c_double), intent(inout) :: rigidez(*)
    end subroutine boussinesq_cerruti3d
  end interface
end module bem_interface
